// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the example macro <modules>/macro/Hello.bin: it types "Hello" with a short pause after
// each letter. The file is unbound (no keyboard slot) and in the library's format.
//
// Usage: macrogen <modules directory>

#include "GeneratorSupport.h"
#include "MacroEncoder.h"

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
    const QString modules = folderArgument(app, "macrogen <modules directory>");
    if (modules.isEmpty())
        return 2;
    const bool written = writeFreshSettings(QDir(modules).filePath(QStringLiteral("macro/Hello.bin")), [](QSettings &file) {
        file.setValue(QStringLiteral("config/index"), -1);
        file.setValue(QStringLiteral("config/total"), int(std::size(kHello)));
        file.setValue(QStringLiteral("config/repeat"), 1);
        for (size_t i = 0; i < std::size(kHello); ++i) {
            file.setValue(QStringLiteral("macro/%1").arg(i),
                          MacroEncoder::stepText(kHello[i].step, QString::fromLatin1(kHello[i].argument)));
        }
    });
    return written ? 0 : 1;
}
