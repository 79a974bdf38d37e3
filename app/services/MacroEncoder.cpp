// SPDX-License-Identifier: GPL-3.0-or-later
#include "MacroEncoder.h"

#include <algorithm>

namespace {

constexpr int kTagLength = 10;

struct StepKind {
    MacroEncoder::Step step;
    const char *tag;  // exactly kTagLength characters
    char opcode;
};

constexpr StepKind kStepKinds[] = {
    {MacroEncoder::Step::Down, "    [Down]", char(0x01)},
    {MacroEncoder::Step::Up, "      [Up]", char(0x81)},
    {MacroEncoder::Step::Delay, "   [Delay]", char(0x7F)},
};

constexpr char kStart[] = {0x00, 0x01};
constexpr char kEnd[] = {0x00, 0x00};

const StepKind *kindOfTag(const QString &tag)
{
    const auto it = std::find_if(std::begin(kStepKinds), std::end(kStepKinds),
                                 [&tag](const StepKind &kind) { return tag == QLatin1String(kind.tag); });
    return it == std::end(kStepKinds) ? nullptr : it;
}

} // namespace

QString MacroEncoder::stepText(Step step, const QString &argument)
{
    const auto it = std::find_if(std::begin(kStepKinds), std::end(kStepKinds),
                                 [step](const StepKind &kind) { return kind.step == step; });
    return argument + QLatin1String(it->tag);
}

QByteArray MacroEncoder::encode(const QStringList &steps, const QHash<QString, uchar> &keyNames)
{
    QByteArray bytes(kStart, sizeof kStart);
    for (const QString &line : steps) {
        if (line.size() < kTagLength)
            continue;
        const StepKind *kind = kindOfTag(line.right(kTagLength));
        if (!kind)
            continue;
        const QString argument = line.left(line.size() - kTagLength);
        if (kind->step == Step::Delay) {
            const int ms = argument.toInt();
            if (ms == 0)
                continue;
            // Division truncates toward zero; only the low byte of each half reaches the keyboard.
            const char delay[] = {kind->opcode, 0x00, char((ms / 256) & 0xFF), char(ms & 0xFF)};
            bytes.append(delay, sizeof delay);
        } else {
            const uchar usage = keyNames.value(argument, 0);
            if (usage == 0)
                continue;
            bytes.append(kind->opcode);
            bytes.append(char(usage));
        }
    }
    bytes.append(kEnd, sizeof kEnd);
    return bytes;
}

MacroEncoder::SlotImage MacroEncoder::forSlot(const QByteArray &encoded)
{
    SlotImage image;
    image.encodedSize = encoded.size();
    image.bytes = encoded.left(SlotSize);
    image.bytes.append(QByteArray(SlotSize - image.bytes.size(), '\0'));
    return image;
}
