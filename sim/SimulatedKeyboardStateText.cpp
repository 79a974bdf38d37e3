// SPDX-License-Identifier: GPL-3.0-or-later
#include "SimulatedKeyboardStateText.h"

#include <QHash>
#include <QSet>

#include <climits>
#include <vector>

namespace {

using State = SimulatedKeyboard::State;
using Profile = SimulatedKeyboard::Profile;

constexpr int kMacroSize = 192;

// A field of the state: where its value lives and how it is written.
struct Field
{
    enum Kind { Byte, Count, Bytes };
    QByteArray name;
    Kind kind;
    void *value;
    int size = 1;       // bytes, for Bytes
};

template <std::size_t N>
Field bytesField(const QByteArray &name, std::array<unsigned char, N> &value)
{
    return {name, Field::Bytes, value.data(), int(N)};
}

// The fields every state has, in the order they are written: the keyboard's own first, then
// each profile's with its led type last. Points into `state`.
std::vector<Field> globalFields(State &state)
{
    return {
        {"currentProfile", Field::Byte, &state.currentProfile},
        {"reportRate", Field::Byte, &state.reportRate},
        bytesField("options", state.options),
        bytesField("sensitivity", state.sensitivity),
        bytesField("indicatorLight", state.indicatorLight),
        {"keyboardMode", Field::Byte, &state.keyboardMode},
        bytesField("keyOnOff", state.keyOnOff),
        bytesField("firmware", state.firmware),
        {"recoveries", Field::Count, &state.recoveries},
    };
}

QByteArray profilePrefix(int profile) { return "profile" + QByteArray::number(profile) + '.'; }

std::vector<Field> profileFields(int index, Profile &profile)
{
    const QByteArray prefix = profilePrefix(index);
    std::vector<Field> fields{bytesField(prefix + "keyMatrix", profile.keyMatrix)};
    for (int picture = 0; picture < SimulatedKeyboard::kPictures; ++picture)
        fields.push_back(bytesField(prefix + "picture" + QByteArray::number(picture), profile.pictures[std::size_t(picture)]));
    fields.push_back(bytesField(prefix + "ledType", profile.ledType));
    return fields;
}

std::vector<Field> fixedFields(State &state)
{
    std::vector<Field> fields = globalFields(state);
    for (int profile = 0; profile < SimulatedKeyboard::kProfiles; ++profile) {
        const std::vector<Field> more = profileFields(profile, state.profiles[std::size_t(profile)]);
        fields.insert(fields.end(), more.begin(), more.end());
    }
    return fields;
}

QByteArray line(const QByteArray &name, const QByteArray &value) { return name + '=' + value + '\n'; }

QByteArray hex(const void *data, int size)
{
    return QByteArray(static_cast<const char *>(data), size).toHex();
}

QByteArray valueOf(const Field &field)
{
    switch (field.kind) {
    case Field::Byte: return QByteArray::number(*static_cast<const unsigned char *>(field.value));
    case Field::Count: return QByteArray::number(*static_cast<const int *>(field.value));
    case Field::Bytes: return hex(field.value, field.size);
    }
    return {};
}

// A decimal number 0..limit, digits only, as encode() writes it (no leading zeros).
std::optional<int> decimal(const QByteArray &text, int limit)
{
    if (text.isEmpty() || text.size() > 10 || (text.size() > 1 && text[0] == '0'))
        return std::nullopt;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
    }
    const qlonglong value = text.toLongLong();
    if (value > limit)
        return std::nullopt;
    return int(value);
}

// Exactly `size` bytes in lowercase hex.
bool readHex(const QByteArray &text, unsigned char *out, int size)
{
    if (text.size() != 2 * size)
        return false;
    for (char c : text) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
            return false;
    }
    const QByteArray bytes = QByteArray::fromHex(text);
    std::copy(bytes.begin(), bytes.end(), out);
    return true;
}

bool readField(const Field &field, const QByteArray &text)
{
    switch (field.kind) {
    case Field::Byte: {
        const auto value = decimal(text, 255);
        if (value)
            *static_cast<unsigned char *>(field.value) = static_cast<unsigned char>(*value);
        return bool(value);
    }
    case Field::Count: {
        const auto value = decimal(text, INT_MAX);
        if (value)
            *static_cast<int *>(field.value) = *value;
        return bool(value);
    }
    case Field::Bytes:
        return readHex(text, static_cast<unsigned char *>(field.value), field.size);
    }
    return false;
}

// "<prefix><index>" with a decimal index 0..255: the index.
std::optional<unsigned char> indexAfter(const QByteArray &name, const QByteArray &prefix)
{
    if (!name.startsWith(prefix))
        return std::nullopt;
    const auto index = decimal(name.mid(prefix.size()), 255);
    if (!index)
        return std::nullopt;
    return static_cast<unsigned char>(*index);
}

// A line of a sparse table (macros, colours); false when the name is none of theirs or the
// value is bad.
bool readSparse(State &state, const QByteArray &name, const QByteArray &value)
{
    if (const auto slot = indexAfter(name, "macro"))
        return readHex(value, state.macros[*slot].data(), kMacroSize);
    for (int profile = 0; profile < SimulatedKeyboard::kProfiles; ++profile) {
        if (const auto index = indexAfter(name, profilePrefix(profile) + "color"))
            return readHex(value, state.profiles[std::size_t(profile)].colors[*index].data(), 3);
    }
    return false;
}

} // namespace

QByteArray SimulatedKeyboardStateText::encode(const State &state)
{
    State copy = state;
    QByteArray text = "# Simulated Norvane KALVOR Keyboard 4200\n";
    for (const Field &field : globalFields(copy))
        text += line(field.name, valueOf(field));
    for (const auto &[slot, bytes] : copy.macros)
        text += line("macro" + QByteArray::number(slot), hex(bytes.data(), kMacroSize));
    for (int index = 0; index < SimulatedKeyboard::kProfiles; ++index) {
        Profile &profile = copy.profiles[std::size_t(index)];
        for (const auto &[colour, rgb] : profile.colors)
            text += line(profilePrefix(index) + "color" + QByteArray::number(colour), hex(rgb.data(), 3));
        for (const Field &field : profileFields(index, profile))
            text += line(field.name, valueOf(field));
    }
    return text;
}

std::optional<State> SimulatedKeyboardStateText::decode(const QByteArray &text)
{
    if (text.size() > kMaximumSize)
        return std::nullopt;
    State state;
    QHash<QByteArray, Field> fixed;
    for (const Field &field : fixedFields(state))
        fixed.insert(field.name, field);
    QSet<QByteArray> seen;
    for (const QByteArray &raw : text.split('\n')) {
        const QByteArray line = raw.endsWith('\r') ? raw.chopped(1) : raw;
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const int equals = line.indexOf('=');
        if (equals <= 0)
            return std::nullopt;
        const QByteArray name = line.left(equals);
        const QByteArray value = line.mid(equals + 1);
        if (seen.contains(name))
            return std::nullopt;
        seen.insert(name);
        const auto field = fixed.constFind(name);
        const bool read = field != fixed.constEnd() ? readField(*field, value) : readSparse(state, name, value);
        if (!read)
            return std::nullopt;
    }
    for (auto it = fixed.constBegin(); it != fixed.constEnd(); ++it) {
        if (!seen.contains(it.key()))
            return std::nullopt;
    }
    // The firmware indexes its profiles with it.
    if (state.currentProfile >= SimulatedKeyboard::kProfiles)
        return std::nullopt;
    return state;
}
