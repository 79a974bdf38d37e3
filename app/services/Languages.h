// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <QVariantMap>

// The language files "<base>/modules/i18n/lang_<code>.ini": interface strings, warning texts,
// key captions, and the checksum that opens the installation gate (langVerified).
// Every call opens the file it needs and closes it before returning. GUI thread only.
//
// A language code is six ASCII digits (three for the language, three for the country of the
// toolkit's locale tables). Any other code is refused without touching the disk and answered
// as for a missing file, so that no text from the scene can name a path outside modules/.
class Languages
{
public:
    static constexpr int captionCount = 126;   // one per key position, scene order

    explicit Languages(const QString &baseDir = QStringLiteral("."));

    // Display name -> code of every language file present, e.g. "PORTUGUESE (BR)" -> "091030".
    // Files whose code is not a language code are not listed. Of two files with the same
    // display name the later one (by file name, ignoring case) wins.
    QVariantMap chkLanguages() const;

    // [font family, general string 1 .. N]. Replaces messageStrings() with "msg/0".."msg/3"
    // and sets langVerified to whether the file's "font/cs" matches its strings.
    QStringList getGlobalStrings(const QString &langCode);

    // The four warning texts of the last getGlobalStrings call (empty before the first).
    const QStringList &messageStrings() const { return m_messageStrings; }

    // Always 127 texts: [caption size, caption 0 .. caption 125], escapes decoded.
    QStringList getProductLayoutStrings(const QString &langCode) const;

    static bool isLanguageCode(const QString &code);

    // The checksum text of S, the number of UTF-16 units in all general strings together.
    static QString checksumText(quint64 s);

    // "##1" stands for a comma and "##2" for a semicolon; the first "##" followed by anything
    // else ends the decoding and leaves the rest of the caption as it is.
    static QString decodeCaption(QString caption);

    // Where the file of a code lives; the code is not checked here.
    QString languageFilePath(const QString &langCode) const;

private:
    QString m_baseDir;
    QStringList m_messageStrings;
};
