// SPDX-License-Identifier: GPL-3.0-or-later
#include "KeyboardProbe.h"

#include "Hid_Thread.h"
#include "SimulatedKeyboard.h"

#include <QTest>

namespace {

QStringList hexTexts(const QList<QByteArray> &reports)
{
    QStringList texts;
    for (const QByteArray &report : reports)
        texts.append(QString::fromLatin1(report.toHex(' ')));
    return texts;
}

template <std::size_t N>
QVariantList numbers(const std::array<unsigned char, N> &bytes)
{
    QVariantList list;
    for (unsigned char byte : bytes)
        list.append(int(byte));
    return list;
}

QVariantMap profileMap(const SimulatedKeyboard::Profile &profile)
{
    QVariantList pictures;
    for (const auto &picture : profile.pictures)
        pictures.append(QVariant(numbers(picture)));
    QVariantMap colors;
    for (const auto &[index, rgb] : profile.colors)
        colors.insert(QString::number(index), numbers(rgb));
    return {{QStringLiteral("keyMatrix"), numbers(profile.keyMatrix)},
            {QStringLiteral("pictures"), pictures},
            {QStringLiteral("ledType"), numbers(profile.ledType)},
            {QStringLiteral("colors"), colors}};
}

} // namespace

void KeyboardProbe::attach(SimulatedKeyboard *keyboard, Hid_Thread *link)
{
    m_keyboard = keyboard;
    m_link = link;
}

QStringList KeyboardProbe::featureReports() const
{
    return m_keyboard ? hexTexts(m_keyboard->featureReports()) : QStringList();
}

QStringList KeyboardProbe::outputReports() const
{
    return m_keyboard ? hexTexts(m_keyboard->outputReports()) : QStringList();
}

QVariantList KeyboardProbe::commands() const
{
    QVariantList commands;
    if (m_keyboard) {
        for (const QByteArray &report : m_keyboard->featureReports())
            commands.append(report.size() > 1 ? int(uchar(report.at(1))) : -1);
    }
    return commands;
}

QStringList KeyboardProbe::violations() const
{
    return m_keyboard ? m_keyboard->violations() : QStringList();
}

void KeyboardProbe::clearRecords()
{
    if (m_keyboard)
        m_keyboard->clearRecords();
}

QVariantMap KeyboardProbe::state() const
{
    if (!m_keyboard)
        return {};
    const SimulatedKeyboard::State s = m_keyboard->state();
    QVariantList profiles;
    for (const auto &profile : s.profiles)
        profiles.append(profileMap(profile));
    QVariantMap macros;
    for (const auto &[slot, bytes] : s.macros)
        macros.insert(QString::number(slot), numbers(bytes));
    return {{QStringLiteral("currentProfile"), int(s.currentProfile)},
            {QStringLiteral("reportRate"), int(s.reportRate)},
            {QStringLiteral("options"), numbers(s.options)},
            {QStringLiteral("sensitivity"), numbers(s.sensitivity)},
            {QStringLiteral("indicatorLight"), numbers(s.indicatorLight)},
            {QStringLiteral("keyboardMode"), int(s.keyboardMode)},
            {QStringLiteral("keyOnOff"), numbers(s.keyOnOff)},
            {QStringLiteral("firmware"), numbers(s.firmware)},
            {QStringLiteral("recoveries"), s.recoveries},
            {QStringLiteral("macros"), macros},
            {QStringLiteral("profiles"), profiles}};
}

QVariantMap KeyboardProbe::profile(int index) const
{
    if (!m_keyboard)
        return {};
    const SimulatedKeyboard::State s = m_keyboard->state();
    const int chosen = index < 0 ? s.currentProfile : index;
    if (chosen >= SimulatedKeyboard::kProfiles)
        return {};
    return profileMap(s.profiles[std::size_t(chosen)]);
}

bool KeyboardProbe::waitIdle(int timeoutMs) const
{
    return m_link && QTest::qWaitFor([this] { return m_link->isReady(); }, timeoutMs);
}

void KeyboardProbe::switchKeyboardMode(int mode)
{
    if (m_keyboard)
        m_keyboard->switchKeyboardMode(static_cast<unsigned char>(mode));
}

void KeyboardProbe::sendEvent(const QVariant &code)
{
    if (m_keyboard)
        m_keyboard->sendEvent(quint32(code.toLongLong()));
}
