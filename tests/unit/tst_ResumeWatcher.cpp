// SPDX-License-Identifier: GPL-3.0-or-later
#include "ResumeWatcher.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QtTest>

namespace {

constexpr int kWaitMs = 10000;

QDBusMessage prepareForSleep(bool sleeping)
{
    QDBusMessage message = QDBusMessage::createSignal(QStringLiteral("/org/freedesktop/login1"),
                                                      QStringLiteral("org.freedesktop.login1.Manager"),
                                                      QStringLiteral("PrepareForSleep"));
    message << sleeping;
    return message;
}

} // namespace

class tst_ResumeWatcher : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void withoutSystemBus();
    void resumeIsSignalled();

private:
    QProcess m_bus;
    QString m_address;
};

void tst_ResumeWatcher::initTestCase()
{
    // The platform's own lines are debug lines, off unless enabled.
    QLoggingCategory::setFilterRules(QStringLiteral("tarvenix.platform.debug=true"));
    // The system bus of this process is one that does not exist, whatever the machine has.
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=/nonexistent/tarvenix-test-bus");

    const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
    if (daemon.isEmpty())
        return;
    m_bus.start(daemon, {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address")});
    if (m_bus.waitForStarted(kWaitMs) && m_bus.waitForReadyRead(kWaitMs))
        m_address = QString::fromUtf8(m_bus.readLine().trimmed());
}

void tst_ResumeWatcher::cleanupTestCase()
{
    if (m_bus.state() != QProcess::NotRunning) {
        m_bus.terminate();
        m_bus.waitForFinished(kWaitMs);
    }
}

void tst_ResumeWatcher::withoutSystemBus()
{
    ResumeWatcher watcher;
    QSignalSpy resumed(&watcher, &ResumeWatcher::resumed);
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("^resume from sleep is not noticed: ")));
    QVERIFY(!watcher.start());
    QTest::qWait(50);
    QCOMPARE(resumed.count(), 0);
}

// logind announces the sleep with true and the resume with false; only the resume counts, and
// only from logind.
void tst_ResumeWatcher::resumeIsSignalled()
{
    if (m_address.isEmpty())
        QSKIP("dbus-daemon is not available to stand in for the system bus");

    QDBusConnection watched = QDBusConnection::connectToBus(m_address, QStringLiteral("watched"));
    QDBusConnection logind = QDBusConnection::connectToBus(m_address, QStringLiteral("logind"));
    QDBusConnection stranger = QDBusConnection::connectToBus(m_address, QStringLiteral("stranger"));
    QVERIFY(watched.isConnected() && logind.isConnected() && stranger.isConnected());
    QVERIFY(logind.registerService(QStringLiteral("org.freedesktop.login1")));

    ResumeWatcher watcher;
    QSignalSpy resumed(&watcher, &ResumeWatcher::resumed);
    QVERIFY(watcher.watch(watched));

    QVERIFY(logind.send(prepareForSleep(true)));
    QVERIFY(stranger.send(prepareForSleep(false)));
    QVERIFY(logind.send(prepareForSleep(false)));
    QTRY_COMPARE(resumed.count(), 1);
    QTest::qWait(100);
    QCOMPARE(resumed.count(), 1);

    QDBusConnection::disconnectFromBus(QStringLiteral("stranger"));
    QDBusConnection::disconnectFromBus(QStringLiteral("logind"));
    QDBusConnection::disconnectFromBus(QStringLiteral("watched"));
}

QTEST_GUILESS_MAIN(tst_ResumeWatcher)
#include "tst_ResumeWatcher.moc"
