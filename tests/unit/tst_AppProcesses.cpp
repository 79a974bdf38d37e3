// SPDX-License-Identifier: GPL-3.0-or-later
#include "AppProcesses.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <spawn.h>
#include <unistd.h>

extern char **environ;

namespace {

const BuildNames kBuilds{"US/Tarvenix", "UK/Tarvenix"};

pid_t spawnSleep()
{
    char program[] = "/bin/sleep";
    char seconds[] = "30";
    char *arguments[] = {program, seconds, nullptr};
    pid_t pid = 0;
    return posix_spawn(&pid, program, nullptr, nullptr, arguments, environ) == 0 ? pid : 0;
}

} // namespace

class tst_AppProcesses : public QObject
{
    Q_OBJECT

private slots:
    void first_data();
    void first();
    void closeWaitsForTheEnd();
    void closeGivesUpOnAProcessThatStays();
};

// A /proc of our own: "<pid>" folders whose "exe" links to the image.
void tst_AppProcesses::first_data()
{
    QTest::addColumn<QStringList>("processes");   // "<entry> <image>"
    QTest::addColumn<int>("pid");
    QTest::addColumn<QString>("image");

    QTest::newRow("the lowest recognised process")
        << QStringList{"self /opt/tarvenix/US/Tarvenix", "120 /opt/tarvenix/UK/Tarvenix", "12 /home/me/US/Tarvenix",
                       "95 /opt/tarvenix/US/Tarvenix", "80 /opt/other/Tarvenix", "7 /usr/bin/bash"}
        << 12 << "/home/me/US/Tarvenix";
    QTest::newRow("the build's name alone is not a path ending in it")
        << QStringList{"70 US/Tarvenix"} << 0 << QString();
    QTest::newRow("a program that is no build")
        << QStringList{"12 /opt/tarvenix/Tarvenix", "13 /opt/tarvenix/US/Tarvenix.old"} << 0 << QString();
}

void tst_AppProcesses::first()
{
    QFETCH(QStringList, processes);
    QFETCH(int, pid);
    QFETCH(QString, image);

    QTemporaryDir proc;
    QVERIFY(proc.isValid());
    for (const QString &process : processes) {
        const QString entry = process.section(QLatin1Char(' '), 0, 0);
        QVERIFY(QDir(proc.path()).mkdir(entry));
        QVERIFY(QFile::link(process.section(QLatin1Char(' '), 1), proc.filePath(entry + QStringLiteral("/exe"))));
    }

    const std::optional<AppProcesses::Process> found = AppProcesses(kBuilds, proc.path()).first();
    QCOMPARE(found ? int(found->pid) : 0, pid);
    QCOMPARE(found ? QString::fromStdString(found->image) : QString(), image);
}

// The ended process is not reaped here: as a zombie it has no image, and counts as gone.
void tst_AppProcesses::closeWaitsForTheEnd()
{
    const pid_t pid = spawnSleep();
    QVERIFY(pid > 0);
    QElapsedTimer elapsed;
    elapsed.start();
    QVERIFY(AppProcesses(kBuilds).close(pid, 5000));
    QVERIFY(elapsed.elapsed() < 2000);
}

void tst_AppProcesses::closeGivesUpOnAProcessThatStays()
{
    // An ignored signal stays ignored in the child.
    std::signal(SIGTERM, SIG_IGN);
    const pid_t pid = spawnSleep();
    std::signal(SIGTERM, SIG_DFL);
    QVERIFY(pid > 0);
    QElapsedTimer elapsed;
    elapsed.start();
    QVERIFY(!AppProcesses(kBuilds).close(pid, 300));
    QVERIFY(elapsed.elapsed() >= 300);
    ::kill(pid, SIGKILL);
}

QTEST_GUILESS_MAIN(tst_AppProcesses)
#include "tst_AppProcesses.moc"
