// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImageTree.h"

#include "WorkingDirectory.h"

bool imageTreeVerified(const QString &imgDir)
{
    return WorkingDirectory::directorySize(imgDir) == kImageTreeBytes;
}
