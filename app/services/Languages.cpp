// SPDX-License-Identifier: GPL-3.0-or-later
#include "Languages.h"

#include "InstallationFlags.h"
#include "ServicesLog.h"

#include <QDir>
#include <QLocale>
#include <QSettings>
#include <QtDebug>

#include <optional>

namespace {

// "font/total" is read from the file; a damaged or hostile value must not make one call
// allocate gigabytes of empty texts. The shipped files hold 85 strings.
constexpr int maxGeneralStrings = 4096;

// Country numbers whose languages come in more than one variant, and the mark that tells them
// apart in the language list.
struct CountryMark
{
    int country;
    const char *mark;
};
constexpr CountryMark countryMarks[] = {
    {QLocale::Brazil, " (BR)"},
    {QLocale::China, " (CN)"},
    {QLocale::Portugal, " (PT)"},
    {QLocale::Taiwan, " (TW)"},
};

QString languageDisplayName(const QString &code)
{
    const int language = code.left(3).toInt();
    const int country = code.mid(3, 3).toInt();
    QString name = QLocale::languageToString(QLocale::Language(language)).toUpper();
    for (const CountryMark &m : countryMarks) {
        if (m.country == country)
            name += QLatin1String(m.mark);
    }
    return name;
}

// The language file of a code, or nothing for a refused code: every value of "nothing" reads
// as absent, exactly like a missing file.
class LanguageFile
{
public:
    LanguageFile(const Languages &languages, const QString &langCode)
    {
        if (!Languages::isLanguageCode(langCode)) {
            qCWarning(lcServices) << "refused language code" << langCode;
            return;
        }
        m_settings.emplace(languages.languageFilePath(langCode), QSettings::IniFormat);
        m_settings->setIniCodec("UTF-8");
    }

    QVariant value(const QString &key) const
    {
        return m_settings ? m_settings->value(key) : QVariant();
    }

private:
    std::optional<QSettings> m_settings;
};

} // namespace

Languages::Languages(const QString &baseDir)
    : m_baseDir(baseDir)
{
}

bool Languages::isLanguageCode(const QString &code)
{
    if (code.size() != 6)
        return false;
    for (const QChar c : code) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

QString Languages::checksumText(quint64 s)
{
    const quint64 parts[] = {
        (s + 74) % 256,
        (s % 256 + 256 - 69) % 256,
        (s * 70) % 256,
        (s / 70) % 256,
    };
    QString text;
    for (const quint64 p : parts)
        text += QString::number(p);
    return text;
}

QString Languages::decodeCaption(QString caption)
{
    static const QLatin1String marker("##");
    for (int at = caption.indexOf(marker); at >= 0; at = caption.indexOf(marker)) {
        const QChar code = at + 2 < caption.size() ? caption.at(at + 2) : QChar();
        if (code == QLatin1Char('1'))
            caption.replace(at, 3, QLatin1Char(','));
        else if (code == QLatin1Char('2'))
            caption.replace(at, 3, QLatin1Char(';'));
        else
            break;
    }
    return caption;
}

QString Languages::languageFilePath(const QString &langCode) const
{
    return QDir(m_baseDir).filePath(QLatin1String("modules/i18n/lang_") + langCode
                                    + QLatin1String(".ini"));
}

QVariantMap Languages::chkLanguages() const
{
    const QDir dir(QDir(m_baseDir).filePath(QStringLiteral("modules/i18n")));
    const QStringList names = dir.entryList({QStringLiteral("lang_*.ini")}, QDir::Files,
                                            QDir::Name | QDir::IgnoreCase);
    QVariantMap languages;
    for (const QString &name : names) {
        const QString code = name.mid(5, 6);
        // "lang_" + code + ".ini" exactly: anything else could not be loaded anyway.
        if (name.size() != 15 || !isLanguageCode(code))
            continue;
        languages.insert(languageDisplayName(code), code);
    }
    return languages;
}

QStringList Languages::getGlobalStrings(const QString &langCode)
{
    const LanguageFile file(*this, langCode);
    QStringList strings;
    strings.append(file.value(QStringLiteral("font/family")).toString());
    const int total = qMin(file.value(QStringLiteral("font/total")).toInt(), maxGeneralStrings);
    const QString expected = file.value(QStringLiteral("font/cs")).toString();

    quint64 s = 0;
    for (int i = 1; i <= total; ++i) {
        const QVariant v = file.value(QLatin1String("strings/") + QString::number(i));
        strings.append(v.toString());
        // A value that the settings layer read as a list (an unquoted comma) is not a text.
        if (v.userType() == QMetaType::QString)
            s += quint64(v.toString().size());
    }

    m_messageStrings.clear();
    for (int i = 0; i < 4; ++i)
        m_messageStrings.append(file.value(QLatin1String("msg/") + QString::number(i)).toString());

    langVerified = (checksumText(s) == expected);
    if (!langVerified)
        qCWarning(lcServices).noquote() << "language strings do not match their checksum" << expected
                                        << "(computed" << checksumText(s) + QLatin1String("): the keyboard stays untouched");
    return strings;
}

QStringList Languages::getProductLayoutStrings(const QString &langCode) const
{
    const LanguageFile file(*this, langCode);
    QStringList strings;
    strings.append(file.value(QStringLiteral("Z4_133A2B7/size")).toString());
    for (int i = 0; i < captionCount; ++i) {
        const QString caption = file.value(QLatin1String("Z4_133A2B7/") + QString::number(i)).toString();
        if (caption.isEmpty())
            qDebug("Product Layout String Fail: %d", i);
        strings.append(decodeCaption(caption));
    }
    return strings;
}
