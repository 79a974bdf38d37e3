// SPDX-License-Identifier: GPL-3.0-or-later
// What every fuzz target runs once before its first input: a toolkit application object, and
// silence for the system's own debug lines, which a fuzzer would print millions of times (a
// fatal message still aborts).
#include <QCoreApplication>

#include <cstdlib>

namespace {

void quiet(QtMsgType type, const QMessageLogContext &, const QString &)
{
    if (type == QtFatalMsg)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    static int argc = 1;
    static char name[] = "fuzz";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    qInstallMessageHandler(quiet);
    return 0;
}
