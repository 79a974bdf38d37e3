// SPDX-License-Identifier: GPL-3.0-or-later
// The file writes of the pages, driven in a fixed cycle through the application's own services
// on a data tree: profile import, lighting write, export, macro save, configuration save,
// profile reset. Each write is followed by an event-loop turn, in which the settings layer
// writes what it holds, as in the application. For the kill -9 test (tests/kill9_saves.sh).
//
//   services_writer states <base> <a.pf> <b.pf> <states>
//       runs two cycles and keeps every content that a watched file takes, before and after
//       each write, as <states>/<file>/<md5 of the content>
//   services_writer run <base> <a.pf> <b.pf>
//       cycles until it is killed; writes "ready" once its files are open, then "write <i>"
//       before the i-th write of the cycle
//
// Watched files: modules/setting/p1.bin ... p10.bin, pD.bin, apConfig.bin, the macro
// "Macro. 001" and the exported profile <base>/export.pf.
#include "AppConfigStore.h"
#include "MacroLibrary.h"
#include "ProfileStore.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTextStream>

#include <functional>
#include <vector>

namespace {

const QString macroName = QStringLiteral("Macro. 001");

// The settings page's 31 values as shipped, and the same with the sound switched off.
QVariantList configuration(bool sound)
{
    QVariantList values;
    const QStringList shipped = QStringLiteral(
        "1,1,1,0,0,false,,0,0,255,255,255,200,150,255,180,0,200,200,100,200,170,255,255,180,180,160,190,160,0,7")
                                    .split(QLatin1Char(','));
    for (const QString &v : shipped)
        values.append(v);
    values[0] = sound ? QStringLiteral("1") : QStringLiteral("0");
    return values;
}

QStringList helloSteps(int count)
{
    const QStringList steps = {
        QStringLiteral("L Shift    [Down]"), QStringLiteral("H    [Down]"), QStringLiteral("H      [Up]"),
        QStringLiteral("L Shift      [Up]"), QStringLiteral("30   [Delay]"), QStringLiteral("E    [Down]"),
        QStringLiteral("E      [Up]"), QStringLiteral("30   [Delay]"), QStringLiteral("L    [Down]"),
        QStringLiteral("L      [Up]")};
    return steps.mid(0, count);
}

QStringList watchedFiles(const QString &base, const MacroLibrary &macros)
{
    QStringList files;
    for (int k = 1; k <= ProfileStore::profileCount; ++k)
        files.append(base + QStringLiteral("/modules/setting/p%1.bin").arg(k));
    files << base + QStringLiteral("/modules/setting/pD.bin") << base + QStringLiteral("/modules/setting/apConfig.bin")
          << macros.directory() + QLatin1Char('/') + macroName + QStringLiteral(".bin") << base + QStringLiteral("/export.pf");
    return files;
}

// Keeps the present content of every watched file as a state of that file.
void keepStates(const QStringList &files, const QString &states)
{
    for (const QString &path : files) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QByteArray content = file.readAll();
        const QString folder = states + QLatin1Char('/') + QFileInfo(path).fileName();
        QDir().mkpath(folder);
        QFile state(folder + QLatin1Char('/')
                    + QString::fromLatin1(QCryptographicHash::hash(content, QCryptographicHash::Md5).toHex()));
        if (!state.exists() && (!state.open(QIODevice::WriteOnly) || state.write(content) != content.size()))
            qFatal("cannot keep a state of %s", qPrintable(path));
    }
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const bool keep = args.value(1) == QLatin1String("states");
    if ((!keep || args.size() != 6) && (args.value(1) != QLatin1String("run") || args.size() != 5)) {
        QTextStream(stderr) << "usage: services_writer states <base> <a.pf> <b.pf> <states> | run <base> <a.pf> <b.pf>\n";
        return 2;
    }
    const QString base = args.at(2);
    const QString importA = args.at(3);
    const QString importB = args.at(4);
    const QString exported = base + QStringLiteral("/export.pf");

    ProfileStore profiles(base);
    MacroLibrary macros(base);
    AppConfigStore config(base);
    profiles.setCurrentProfile(2);
    const QStringList files = watchedFiles(base, macros);
    if (keep)
        keepStates(files, args.at(5));
    if (macros.config(macroName).isEmpty() && macros.create() != macroName)
        qFatal("cannot create %s", qPrintable(macroName));

    // Every state a file passes through depends only on the writes since the last import or
    // reset of the profile: a cycle started again after a kill reaches no state of its own.
    const std::vector<std::function<void()>> cycle = {
        [&] { profiles.importProfile(2, importA); },
        [&] { profiles.setLedType(13, 1, 42, 0, 3); },
        [&] { profiles.exportProfile(2, exported); },
        [&] { macros.save(macroName, helloSteps(10)); },
        [&] { config.save(configuration(false)); },
        [&] { profiles.resetProfile(2); },
        [&] { profiles.setLedType(2, 11, 7, 0, 0); },
        [&] { profiles.exportProfile(2, exported); },
        [&] { macros.save(macroName, helloSteps(3)); },
        [&] { config.save(configuration(true)); },
        [&] { profiles.importProfile(2, importB); },
        [&] { profiles.exportProfile(2, exported); },
    };
    QTextStream out(stdout);
    if (!keep)
        out << "ready" << Qt::endl;
    for (int round = 0; !keep || round < 2; ++round) {
        for (std::size_t i = 0; i < cycle.size(); ++i) {
            // The write under way when a kill strikes is the last one named.
            if (!keep)
                out << "write " << i << Qt::endl;
            cycle[i]();
            QCoreApplication::processEvents();
            if (keep)
                keepStates(files, args.at(5));
        }
    }
    return 0;
}
