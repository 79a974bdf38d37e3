// SPDX-License-Identifier: GPL-3.0-or-later
// Regenerate the language files from the texts beside this file:
//   cmake --build <build> --target langgen && <build>/tools/langgen/langgen <repository>
// Reads <repository>/tools/langgen/keycaptions.json and texts/*.json, writes
// <repository>/modules/i18n/lang_<code>.ini with its checksum, reads every file back the way
// the application does and fails unless it returns exactly the source texts.

#include "InstallationFlags.h"
#include "Languages.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSettings>
#include <QTextStream>

#include <algorithm>
#include <optional>

namespace {

// The scene's string list is the font family followed by these.
constexpr int generalStringCount = 85;
constexpr int messageCount = 4;

struct LanguageSource
{
    QString code;
    QString font;
    QString captionSize;
    QStringList strings;
    QStringList messages;
    QStringList captions;   // decoded, scene order
};

QTextStream &err()
{
    static QTextStream stream(stderr);
    return stream;
}

std::optional<QJsonDocument> readJson(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        err() << path << ": " << file.errorString() << Qt::endl;
        return std::nullopt;
    }
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &error);
    if (doc.isNull()) {
        err() << path << ": " << error.errorString() << " at offset " << error.offset << Qt::endl;
        return std::nullopt;
    }
    return doc;
}

// A list of exactly `count` non-empty texts, or nothing.
std::optional<QStringList> textList(const QJsonValue &value, int count)
{
    const QJsonArray array = value.toArray();
    if (array.size() != count)
        return std::nullopt;
    QStringList texts;
    for (const QJsonValue &v : array) {
        if (!v.isString() || v.toString().isEmpty())
            return std::nullopt;
        texts.append(v.toString());
    }
    return texts;
}

// A caption may not contain the escape marker itself: the reader would take it for an escape.
bool validCaption(const QString &caption)
{
    return !caption.isEmpty() && !caption.contains(QLatin1String("##"));
}

QString encodeCaption(QString caption)
{
    return caption.replace(QLatin1Char(','), QLatin1String("##1"))
        .replace(QLatin1Char(';'), QLatin1String("##2"));
}

std::optional<LanguageSource> readSource(const QString &path, const QStringList &defaultCaptions)
{
    const auto doc = readJson(path);
    if (!doc)
        return std::nullopt;
    const QJsonObject o = doc->object();
    LanguageSource source;
    source.code = o.value(QLatin1String("code")).toString();
    source.font = o.value(QLatin1String("font")).toString();
    source.captionSize = o.value(QLatin1String("captionSize")).toString();
    const auto strings = textList(o.value(QLatin1String("strings")), generalStringCount);
    const auto messages = textList(o.value(QLatin1String("messages")), messageCount);
    const auto fail = [&path](const char *what) {
        err() << path << ": " << what << Qt::endl;
        return std::nullopt;
    };
    if (!Languages::isLanguageCode(source.code))
        return fail("\"code\" is not six digits");
    if (source.font.isEmpty() || source.captionSize.toInt() <= 0)
        return fail("\"font\" or \"captionSize\" missing");
    if (!strings)
        return fail("\"strings\" must be 85 non-empty texts");
    if (!messages)
        return fail("\"messages\" must be 4 non-empty texts");
    source.strings = *strings;
    source.messages = *messages;

    // Captions of this language replace the default ones by key position.
    source.captions = defaultCaptions;
    const QJsonObject captions = o.value(QLatin1String("captions")).toObject();
    for (auto it = captions.begin(); it != captions.end(); ++it) {
        bool isNumber = false;
        const int position = it.key().toInt(&isNumber);
        if (!isNumber || position < 0 || position >= Languages::captionCount
            || !validCaption(it.value().toString()))
            return fail("bad entry in \"captions\"");
        source.captions[position] = it.value().toString();
    }
    return source;
}

bool writeLanguageFile(const QString &path, const LanguageSource &source)
{
    QFile::remove(path);
    QSettings file(path, QSettings::IniFormat);
    file.setIniCodec("UTF-8");
    file.setValue(QStringLiteral("font/family"), source.font);
    file.setValue(QStringLiteral("font/total"), source.strings.size());
    quint64 s = 0;
    for (int i = 0; i < source.strings.size(); ++i) {
        file.setValue(QStringLiteral("strings/") + QString::number(i + 1), source.strings.at(i));
        s += quint64(source.strings.at(i).size());
    }
    file.setValue(QStringLiteral("font/cs"), Languages::checksumText(s));
    for (int i = 0; i < source.messages.size(); ++i)
        file.setValue(QStringLiteral("msg/") + QString::number(i), source.messages.at(i));
    file.setValue(QStringLiteral("Z4_133A2B7/size"), source.captionSize);
    for (int i = 0; i < source.captions.size(); ++i)
        file.setValue(QStringLiteral("Z4_133A2B7/") + QString::number(i),
                      encodeCaption(source.captions.at(i)));
    file.sync();
    return file.status() == QSettings::NoError;
}

// Reads the file back through the application's own reader.
bool verify(Languages &languages, const LanguageSource &source)
{
    const QStringList expectedStrings = QStringList{source.font} + source.strings;
    const QStringList expectedLayout = QStringList{source.captionSize} + source.captions;
    return languages.getGlobalStrings(source.code) == expectedStrings && langVerified
        && languages.messageStrings() == source.messages
        && languages.getProductLayoutStrings(source.code) == expectedLayout;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        err() << "usage: langgen <repository>" << Qt::endl;
        return 2;
    }
    const QDir repository(args.at(1));
    const QDir sourceDir(repository.filePath(QStringLiteral("tools/langgen")));

    const auto captionDoc = readJson(sourceDir.filePath(QStringLiteral("keycaptions.json")));
    if (!captionDoc)
        return 1;
    const auto defaultCaptions = textList(captionDoc->array(), Languages::captionCount);
    if (!defaultCaptions
        || !std::all_of(defaultCaptions->begin(), defaultCaptions->end(), validCaption)) {
        err() << "keycaptions.json must hold 126 captions without \"##\"" << Qt::endl;
        return 1;
    }

    if (!repository.mkpath(QStringLiteral("modules/i18n"))) {
        err() << "cannot create modules/i18n" << Qt::endl;
        return 1;
    }
    Languages languages(repository.path());
    const QDir textDir(sourceDir.filePath(QStringLiteral("texts")));
    const QStringList sources = textDir.entryList({QStringLiteral("*.json")}, QDir::Files, QDir::Name);
    if (sources.isEmpty()) {
        err() << textDir.path() << ": no texts" << Qt::endl;
        return 1;
    }
    for (const QString &name : sources) {
        const auto source = readSource(textDir.filePath(name), *defaultCaptions);
        if (!source)
            return 1;
        const QString path = languages.languageFilePath(source->code);
        if (!writeLanguageFile(path, *source) || !verify(languages, *source)) {
            err() << path << ": written file does not read back as its source" << Qt::endl;
            return 1;
        }
        QTextStream(stdout) << path << Qt::endl;
    }
    return 0;
}
