// SPDX-License-Identifier: GPL-3.0-or-later
// A macro file: its steps and configuration as the pages read them, and its encoding for a
// keyboard slot.
#include "FuzzTree.h"
#include "KeyMap.h"
#include "MacroEncoder.h"
#include "MacroLibrary.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static Fuzz::Tree tree;
    static const KeyMap::KeyNames names = KeyMap::buildKeyNameMap(KeyMap::Layout::US);
    tree.put(QStringLiteral("modules/macro/Fuzz.bin"), data, size);
    const MacroLibrary library(tree.base());
    const QString name = QStringLiteral("Fuzz");
    library.config(name);
    MacroEncoder::forSlot(MacroEncoder::encode(library.load(name), names));
    return 0;
}
