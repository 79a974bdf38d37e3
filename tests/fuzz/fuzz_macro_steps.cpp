// SPDX-License-Identifier: GPL-3.0-or-later
// The macro encoder's input: step texts, one a line, as the scene hands them over.
#include "KeyMap.h"
#include "MacroEncoder.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const KeyMap::KeyNames names = KeyMap::buildKeyNameMap(KeyMap::Layout::UK);
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), int(size));
    const MacroEncoder::SlotImage slot = MacroEncoder::forSlot(MacroEncoder::encode(text.split(QLatin1Char('\n')), names));
    if (slot.bytes.size() != MacroEncoder::SlotSize)
        std::abort();
    return 0;
}
