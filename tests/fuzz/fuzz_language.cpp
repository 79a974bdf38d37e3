// SPDX-License-Identifier: GPL-3.0-or-later
// A language file: general strings with their checksum, warning texts and key captions.
#include "FuzzTree.h"
#include "Languages.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static Fuzz::Tree tree;
    tree.put(QStringLiteral("modules/i18n/lang_031225.ini"), data, size);
    Languages languages(tree.base());
    languages.getGlobalStrings(QStringLiteral("031225"));
    languages.getProductLayoutStrings(QStringLiteral("031225"));
    return 0;
}
