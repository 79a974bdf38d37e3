// SPDX-License-Identifier: GPL-3.0-or-later
// The device descriptor DevInfo.ini.
#include "DeviceDescriptor.h"
#include "FuzzTree.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static Fuzz::Tree tree;
    readDeviceDescriptors(tree.put(QStringLiteral("DevInfo.ini"), data, size));
    return 0;
}
