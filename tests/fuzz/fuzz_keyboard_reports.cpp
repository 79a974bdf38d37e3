// SPDX-License-Identifier: GPL-3.0-or-later
// The keyboard interface: a report descriptor as the interface gives it, and input reports
// decoded through the layout read from it, or through the boot keyboard's layout.
#include "KeyboardReport.h"
#include "KeyboardReportLayout.h"

#include <fuzzer/FuzzedDataProvider.h>

namespace {

// The boot keyboard: modifier bits E0..E7, a reserved byte, LED outputs, six key bytes 0..0x65.
const QByteArray bootKeyboard = QByteArray::fromHex(
    "05010906a101"
    "050719e029e715002501750195088102"
    "950175088101"
    "95057501050819012905910295017503910195067508150025650507190029658100"
    "c0");

QByteArray bytes(const std::string &text)
{
    return QByteArray(text.data(), int(text.size()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider input(data, size);
    static const KeyboardReportLayout boot = KeyboardReportLayout::fromDescriptor(bootKeyboard);
    const KeyboardReportLayout parsed = KeyboardReportLayout::fromDescriptor(bytes(input.ConsumeRandomLengthString(512)));
    const KeyboardReportLayout &layout = input.ConsumeBool() ? boot : parsed;
    KeyboardReport::Keys held;
    while (input.remaining_bytes()) {
        if (const auto keys = KeyboardReport::keysDown(layout, bytes(input.ConsumeRandomLengthString(64)))) {
            KeyboardReport::changes(held, *keys);
            held = *keys;
        }
    }
    return 0;
}
