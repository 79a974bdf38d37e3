// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the example macro <modules>/macro/Hello.bin: it types "Hello" with a short pause after
// each letter. The file is unbound (no keyboard slot) and in the library's format.
//
// Usage: macrogen <modules directory>

#include "MacroEncoder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTextStream>

#include <iterator>

namespace {

using Step = MacroEncoder::Step;

struct ExampleStep {
    Step step;
    const char *argument;
};

constexpr const char *kPauseMs = "30";

constexpr ExampleStep kHello[] = {
    {Step::Down, "L Shift"}, {Step::Down, "H"}, {Step::Up, "H"}, {Step::Up, "L Shift"}, {Step::Delay, kPauseMs},
    {Step::Down, "E"}, {Step::Up, "E"}, {Step::Delay, kPauseMs},
    {Step::Down, "L"}, {Step::Up, "L"}, {Step::Delay, kPauseMs},
    {Step::Down, "L"}, {Step::Up, "L"}, {Step::Delay, kPauseMs},
    {Step::Down, "O"}, {Step::Up, "O"},
};

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        err << "usage: macrogen <modules directory>\n";
        return 2;
    }
    const QDir macroDir(QDir(args.at(1)).filePath(QStringLiteral("macro")));
    if (!macroDir.mkpath(QStringLiteral("."))) {
        err << "cannot create " << macroDir.path() << '\n';
        return 1;
    }
    const QString path = macroDir.filePath(QStringLiteral("Hello.bin"));
    QFile::remove(path);
    QSettings file(path, QSettings::IniFormat);
    file.setValue(QStringLiteral("config/index"), -1);
    file.setValue(QStringLiteral("config/total"), int(std::size(kHello)));
    file.setValue(QStringLiteral("config/repeat"), 1);
    for (size_t i = 0; i < std::size(kHello); ++i) {
        file.setValue(QStringLiteral("macro/%1").arg(i),
                      MacroEncoder::stepText(kHello[i].step, QString::fromLatin1(kHello[i].argument)));
    }
    file.sync();
    if (file.status() != QSettings::NoError) {
        err << "cannot write " << path << '\n';
        return 1;
    }
    return 0;
}
