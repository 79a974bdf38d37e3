// SPDX-License-Identifier: GPL-3.0-or-later
#include "SingleInstance.h"

#include <QDateTime>
#include <QFile>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

constexpr int kWaitMs = 10000;

// A copy of the probe program in its own directory, as the US and UK builds are installed.
QString installProbe(const QTemporaryDir &dir, const QString &folder)
{
    const QString path = dir.filePath(folder + QStringLiteral("/probe"));
    if (!QDir().mkpath(dir.filePath(folder)) || !QFile::copy(QStringLiteral(SINGLEINSTANCE_PROBE), path))
        return QString();
    return path;
}

// A started probe; the destructor ends it if the test did not.
class Probe
{
public:
    explicit Probe(const QString &program)
    {
        m_process.setProgram(program);
        m_process.start();
    }
    ~Probe()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(kWaitMs);
        }
    }

    // True once the probe has said it holds the instance.
    bool becamePrimary()
    {
        while (!m_process.canReadLine() && m_process.waitForReadyRead(kWaitMs)) {
        }
        return m_process.readLine() == "primary\n";
    }
    // The exit code, or -1 when it did not end normally in time.
    int exitCode()
    {
        if (!m_process.waitForFinished(kWaitMs) || m_process.exitStatus() != QProcess::NormalExit)
            return -1;
        return m_process.exitCode();
    }
    int quit()
    {
        m_process.write("quit\n");
        return exitCode();
    }
    void crash()
    {
        m_process.kill();
        m_process.waitForFinished(kWaitMs);
    }
    bool isRunning() const { return m_process.state() == QProcess::Running; }
    QByteArray output() { return m_process.readAllStandardOutput(); }

private:
    QProcess m_process;
};

} // namespace

class tst_SingleInstance : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void secondStartIsRefused();
    void otherBuildIsNotBlocked();
    void lockOfDeadProcessIsRecovered();
    void oldLockOfLiveProcessStillHolds();
    void primaryIgnoresMessages();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_us;
    QString m_uk;
};

void tst_SingleInstance::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_us = installProbe(*m_dir, QStringLiteral("US"));
    m_uk = installProbe(*m_dir, QStringLiteral("UK"));
    QVERIFY(!m_us.isEmpty() && !m_uk.isEmpty());
}

void tst_SingleInstance::secondStartIsRefused()
{
    Probe first(m_us);
    QVERIFY(first.becamePrimary());

    Probe second(m_us);
    QCOMPARE(second.exitCode(), 1);
    QVERIFY(second.output().isEmpty());
    QVERIFY(first.isRunning());

    // Once the first has ended, the executable starts again.
    QCOMPARE(first.quit(), 0);
    Probe third(m_us);
    QVERIFY(third.becamePrimary());
    QCOMPARE(third.quit(), 0);
}

void tst_SingleInstance::otherBuildIsNotBlocked()
{
    Probe us(m_us);
    QVERIFY(us.becamePrimary());
    Probe uk(m_uk);
    QVERIFY(uk.becamePrimary());
    QCOMPARE(uk.quit(), 0);
    QCOMPARE(us.quit(), 0);
}

void tst_SingleInstance::lockOfDeadProcessIsRecovered()
{
    Probe crashed(m_us);
    QVERIFY(crashed.becamePrimary());
    crashed.crash();
    QVERIFY(QFile::exists(SingleInstance::lockFilePath(m_us)));

    Probe next(m_us);
    QVERIFY(next.becamePrimary());
    Probe refused(m_us);
    QCOMPARE(refused.exitCode(), 1);
    QCOMPARE(next.quit(), 0);
}

// The application runs for hours: the age of the lock must not make it look abandoned.
void tst_SingleInstance::oldLockOfLiveProcessStillHolds()
{
    Probe first(m_us);
    QVERIFY(first.becamePrimary());
    QFile lock(SingleInstance::lockFilePath(m_us));
    QVERIFY(lock.open(QIODevice::ReadWrite));
    QVERIFY(lock.setFileTime(QDateTime::currentDateTime().addDays(-2), QFileDevice::FileModificationTime));
    lock.close();

    Probe second(m_us);
    QCOMPARE(second.exitCode(), 1);
    QCOMPARE(first.quit(), 0);
}

void tst_SingleInstance::primaryIgnoresMessages()
{
    Probe primary(m_us);
    QVERIFY(primary.becamePrimary());

    for (int i = 0; i < 2; ++i) {
        QLocalSocket socket;
        socket.connectToServer(SingleInstance::instanceName(m_us));
        QVERIFY2(socket.waitForConnected(kWaitMs), qPrintable(socket.errorString()));
        socket.write("activate\n");
        QVERIFY(socket.waitForBytesWritten(kWaitMs));
        socket.disconnectFromServer();
    }
    QTest::qWait(100);
    QVERIFY(primary.isRunning());
    QVERIFY(primary.output().isEmpty());
    QCOMPARE(primary.quit(), 0);
}

QTEST_GUILESS_MAIN(tst_SingleInstance)
#include "tst_SingleInstance.moc"
