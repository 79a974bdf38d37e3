// SPDX-License-Identifier: GPL-3.0-or-later
#include "SettingTable.h"

#include "Hid_Thread.h"

#include <array>

namespace {

using Values = SettingTable::Values;
using Field = SettingTable::Field;
using Spelling = SettingTable::Spelling;

constexpr Field kByte{"value", 0, 255};

uchar u(int value) { return uchar(value); }

// The lighting page's ranges: speed bytes 0x01 (fastest) .. 0x0B, light 0..49 (7 a step),
// direction 0 (none) .. 4.
const std::vector<Field> kLightingFields{
    {"effect", 0, 255, Spelling::Effect}, {"speed", 1, 11}, {"light", 0, 49}, {"direction", 0, 4}};

const std::vector<SettingTable::Setting> kSettings{
    {"report-rate", "the keyboard's report rate (its firmware value)", {}, {{"rate", 0, 255}},
     [](Hid_Thread &link, const Values &v) { link.hid_01H_SetReportRate(u(v[0])); },
     [](Hid_Thread &link, const Values &) {
         uchar rate = 0;
         link.hid_81H_GetReportRate(rate);
         return Values{rate};
     }},
    {"current-profile", "the profile the keyboard uses", {}, {{"profile", 1, 10}},
     [](Hid_Thread &link, const Values &v) { link.hid_02H_SetCurrentProfile(u(v[0] - 1)); },
     [](Hid_Thread &link, const Values &) {
         uchar profile = 0;
         link.hid_82H_GetCurrentProfile(profile);
         return Values{profile + 1};
     }},
    {"keyboard-options", "the four option bytes", {},
     {{"byte1", 0, 255}, {"byte2", 0, 255}, {"byte3", 0, 255}, {"byte4", 0, 255}},
     [](Hid_Thread &link, const Values &v) { link.hid_03H_SetKeyboardoption(u(v[0]), u(v[1]), u(v[2]), u(v[3])); },
     [](Hid_Thread &link, const Values &) {
         std::array<uchar, 4> b{};
         link.hid_83H_GetKeyboardoption(b[0], b[1], b[2], b[3]);
         return Values{b[0], b[1], b[2], b[3]};
     }},
    {"button-sensitivity", "the four sensitivity bytes", {},
     {{"sens1", 0, 255}, {"sens2", 0, 255}, {"sens3", 0, 255}, {"sens4", 0, 255}},
     [](Hid_Thread &link, const Values &v) { link.hid_04H_SetButtonSensitivity(u(v[0]), u(v[1]), u(v[2]), u(v[3])); },
     [](Hid_Thread &link, const Values &) {
         std::array<uchar, 4> b{};
         link.hid_84H_GetButtonSensitivity(b[0], b[1], b[2], b[3]);
         return Values{b[0], b[1], b[2], b[3]};
     }},
    // The keyboard has no get command for the indicator light: it is written, never read.
    {"indicator-light", "the indicator light's effect and frequency (write only)", {},
     {{"effect", 0, 255}, {"frequency", 0, 255}},
     [](Hid_Thread &link, const Values &v) { link.hid_07H_SetControlIndicatorLight(u(v[0]), u(v[1])); }, nullptr},
    {"lighting", "the lighting mode of the current profile", {}, kLightingFields,
     [](Hid_Thread &link, const Values &v) {
         // As the lighting page sends it: option 0, colour 0.
         link.hid_08H_SetLEDType(0, u(v[0]), u(v[1]), u(v[2]), 0, u(v[3]));
     },
     [](Hid_Thread &link, const Values &) {
         std::array<uchar, 5> b{};
         link.hid_88H_GetLEDType(b[0], b[1], b[2], b[3], b[4]);
         return Values{b[0], b[1], b[2], b[4]};
     }},
    {"keyboard-mode", "gaming mode", {}, {{"gaming", 0, 1, Spelling::OnOff}},
     [](Hid_Thread &link, const Values &v) { link.hid_09H_SetKeyboardMode(u(v[0])); },
     [](Hid_Thread &link, const Values &) {
         uchar mode = 0;
         link.hid_89H_GetKeyboardMode(mode);
         return Values{mode};
     }},
    {"colour", "colour INDEX of the current profile, red green blue", {{"index", 0, 255}},
     {{"red", 0, 255}, {"green", 0, 255}, {"blue", 0, 255}},
     [](Hid_Thread &link, const Values &v) { link.hid_14H_SetColor(u(v[0]), u(v[1]), u(v[2]), u(v[3])); },
     [](Hid_Thread &link, const Values &selector) {
         std::array<uchar, 3> b{};
         link.hid_94H_GetColor(u(selector[0]), b[0], b[1], b[2]);
         return Values{selector[0], b[0], b[1], b[2]};
     }},
};

} // namespace

const std::vector<SettingTable::Effect> &SettingTable::effects()
{
    // The lighting page's effects, and user picture n (1..5) as mode 0x33 + n - 1.
    static const std::vector<Effect> kEffects{
        {"static", 0x01}, {"breathing", 0x02}, {"induction-darken", 0x04}, {"marquee", 0x05},
        {"ripple", 0x06}, {"induction-brighten", 0x07}, {"raindrop", 0x0A}, {"spotlight", 0x0C},
        {"rotation", 0x0D}, {"picture1", 0x33}, {"picture2", 0x34}, {"picture3", 0x35},
        {"picture4", 0x36}, {"picture5", 0x37},
    };
    return kEffects;
}

const std::vector<SettingTable::Setting> &SettingTable::settings()
{
    return kSettings;
}

const SettingTable::Setting *SettingTable::find(const QString &name)
{
    for (const Setting &setting : kSettings) {
        if (name == QLatin1String(setting.name))
            return &setting;
    }
    return nullptr;
}

std::vector<Field> SettingTable::allFields(const Setting &setting)
{
    std::vector<Field> fields = setting.selector;
    fields.insert(fields.end(), setting.fields.begin(), setting.fields.end());
    return fields;
}

std::optional<int> SettingTable::parseValue(const Field &field, const QString &text, QString &error)
{
    if (field.spelling == Spelling::OnOff) {
        if (text == QLatin1String("on") || text == QLatin1String("1"))
            return 1;
        if (text == QLatin1String("off") || text == QLatin1String("0"))
            return 0;
        error = QStringLiteral("%1 is on or off, not \"%2\"").arg(QLatin1String(field.name), text);
        return std::nullopt;
    }
    bool ok = false;
    const int number = text.startsWith(QLatin1String("0x")) ? text.mid(2).toInt(&ok, 16) : text.toInt(&ok, 10);
    if (field.spelling == Spelling::Effect) {
        for (const Effect &effect : effects()) {
            if (text == QLatin1String(effect.name) || (ok && number == effect.id))
                return effect.id;
        }
        error = QStringLiteral("no lighting effect \"%1\"").arg(text);
        return std::nullopt;
    }
    if (!ok || number < field.min || number > field.max) {
        error = QStringLiteral("%1 must be %2..%3, not \"%4\"")
                    .arg(QLatin1String(field.name)).arg(field.min).arg(field.max).arg(text);
        return std::nullopt;
    }
    return number;
}

QString SettingTable::formatValue(const Field &field, int value)
{
    if (field.spelling == Spelling::OnOff)
        return value ? QStringLiteral("on") : QStringLiteral("off");
    if (field.spelling == Spelling::Effect) {
        for (const Effect &effect : effects()) {
            if (effect.id == value)
                return QLatin1String(effect.name);
        }
    }
    return QString::number(value);
}

std::optional<SettingTable::Values> SettingTable::parse(const Setting &setting, const QStringList &texts,
                                                        bool selectorOnly, QString &error)
{
    std::vector<Field> fields = selectorOnly ? setting.selector : allFields(setting);
    if (texts.size() != int(fields.size())) {
        QStringList names;
        for (const Field &field : fields)
            names << QString::fromLatin1(field.name).toUpper();
        error = QStringLiteral("%1 takes %2 value(s)%3, not %4")
                    .arg(QLatin1String(setting.name))
                    .arg(fields.size())
                    .arg(names.isEmpty() ? QString() : QStringLiteral(" (") + names.join(QLatin1Char(' ')) + QLatin1Char(')'))
                    .arg(texts.size());
        return std::nullopt;
    }
    Values values;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const std::optional<int> value = parseValue(fields[i], texts.at(int(i)), error);
        if (!value)
            return std::nullopt;
        values.append(*value);
    }
    return values;
}

QString SettingTable::help()
{
    QString text;
    for (const Setting &setting : kSettings) {
        QStringList values;
        for (const Field &field : allFields(setting)) {
            const QString name = QString::fromLatin1(field.name).toUpper();
            switch (field.spelling) {
            case Spelling::OnOff: values << name + QStringLiteral("=on|off"); break;
            case Spelling::Effect: values << name + QStringLiteral("=name|id"); break;
            case Spelling::Number: values << QStringLiteral("%1=%2..%3").arg(name).arg(field.min).arg(field.max); break;
            }
        }
        text += QStringLiteral("  %1 %2\n      %3\n")
                    .arg(QString::fromLatin1(setting.name), -19)
                    .arg(values.join(QLatin1Char(' ')), QString::fromLatin1(setting.summary));
    }
    QStringList names;
    for (const Effect &effect : effects())
        names << QStringLiteral("%1 (0x%2)").arg(QLatin1String(effect.name)).arg(effect.id, 2, 16, QLatin1Char('0'));
    text += QStringLiteral("  lighting effects: ") + names.join(QStringLiteral(", ")) + QLatin1Char('\n');
    return text;
}
