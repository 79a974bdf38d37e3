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
    void cleanup();
    void secondStartIsRefused();
    void otherBuildIsNotBlocked();
    void lockOfDeadProcessIsRecovered();
    void oldLockOfLiveProcessStillHolds();
    void primaryIgnoresMessages();
    void keptInTheRuntimeFolder();
    void anotherTemporaryFolderIsNoWayRound();
    void privateFallbackFolder_data();
    void privateFallbackFolder();

private:
    void useTemporaryFolder(const QString &name);

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_runtime;
    const QByteArray m_temporaryFolder = qgetenv("TMPDIR");
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

    // The user's own runtime and data folders for this test; the probes inherit them.
    m_runtime = m_dir->filePath(QStringLiteral("run"));
    QVERIFY(QDir().mkpath(m_runtime));
    QVERIFY(QFile::setPermissions(m_runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime));
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_dir->filePath(QStringLiteral("data"))));
    useTemporaryFolder(QStringLiteral("tmp"));
}

void tst_SingleInstance::cleanup()
{
    if (m_temporaryFolder.isNull())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", m_temporaryFolder);
}

void tst_SingleInstance::useTemporaryFolder(const QString &name)
{
    const QString folder = m_dir->filePath(name);
    QVERIFY(QDir().mkpath(folder));
    qputenv("TMPDIR", QFile::encodeName(folder));
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
        socket.connectToServer(SingleInstance::serverName(m_us));
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

// Lock and socket lie in the user's runtime folder; the shared temporary folder, where another
// user could take the name first, holds nothing of ours.
void tst_SingleInstance::keptInTheRuntimeFolder()
{
    Probe primary(m_us);
    QVERIFY(primary.becamePrimary());
    QCOMPARE(QFileInfo(SingleInstance::lockFilePath(m_us)).absolutePath(), m_runtime);
    QVERIFY(QFileInfo::exists(SingleInstance::lockFilePath(m_us)));
    QVERIFY(QFileInfo::exists(SingleInstance::serverName(m_us)));
    QCOMPARE(QDir(m_dir->filePath(QStringLiteral("tmp"))).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList());
    QCOMPARE(primary.quit(), 0);
}

void tst_SingleInstance::anotherTemporaryFolderIsNoWayRound()
{
    Probe first(m_us);
    QVERIFY(first.becamePrimary());
    useTemporaryFolder(QStringLiteral("other-tmp"));
    Probe second(m_us);
    QCOMPARE(second.exitCode(), 1);
    QCOMPARE(first.quit(), 0);
}

// Without a runtime folder of the user's own, the lock goes to a folder of ours in the user's
// data folder, closed to everyone else.
void tst_SingleInstance::privateFallbackFolder_data()
{
    QTest::addColumn<QString>("runtime");   // a folder below the test's folder; empty: unset
    QTest::addColumn<bool>("present");
    QTest::newRow("unset") << QString() << false;
    QTest::newRow("missing") << QStringLiteral("gone") << false;
    QTest::newRow("open to others") << QStringLiteral("shared") << true;
    QTest::newRow("relative") << QStringLiteral("run") << true;
}

void tst_SingleInstance::privateFallbackFolder()
{
    QFETCH(QString, runtime);
    QFETCH(bool, present);
    const QString folder = m_dir->filePath(runtime);
    if (runtime.isEmpty())
        qunsetenv("XDG_RUNTIME_DIR");
    else if (runtime == QLatin1String("run"))
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(QDir::current().relativeFilePath(folder)));
    else
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(folder));
    if (present && runtime != QLatin1String("run")) {
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(QFile::setPermissions(folder, QFileDevice::Permissions(0x7777)));
    }

    Probe first(m_us);
    QVERIFY(first.becamePrimary());
    const QString fallback = m_dir->filePath(QStringLiteral("data/tarvenix-instance"));
    QCOMPARE(QFileInfo(SingleInstance::lockFilePath(m_us)).absolutePath(), fallback);
    QVERIFY(QFileInfo::exists(SingleInstance::lockFilePath(m_us)));
    const QFileDevice::Permissions ownerGroupOther(0x7077);
    QCOMPARE(QFileInfo(fallback).permissions() & ownerGroupOther, QFileDevice::Permissions(0x7000));
    Probe second(m_us);
    QCOMPARE(second.exitCode(), 1);
    QCOMPARE(first.quit(), 0);
}

QTEST_GUILESS_MAIN(tst_SingleInstance)
#include "tst_SingleInstance.moc"
