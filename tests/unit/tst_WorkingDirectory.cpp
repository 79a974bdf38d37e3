// SPDX-License-Identifier: GPL-3.0-or-later
#include "WorkingDirectory.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

using Tree = QMap<QString, QByteArray>;   // relative file path -> content

bool writeTree(const QString &root, const Tree &tree)
{
    for (auto it = tree.cbegin(); it != tree.cend(); ++it) {
        const QString path = root + QLatin1Char('/') + it.key();
        QFile file(path);
        if (!QDir().mkpath(QFileInfo(path).absolutePath()) || !file.open(QIODevice::WriteOnly)
            || file.write(it.value()) != it.value().size())
            return false;
    }
    return true;
}

// Every file below root, hidden ones included.
Tree readTree(const QString &root)
{
    Tree tree;
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        if (file.open(QIODevice::ReadOnly))
            tree.insert(QDir(root).relativeFilePath(file.fileName()), file.readAll());
    }
    return tree;
}

// An installation as shipped: visible data and a few hidden entries that stay behind.
const Tree kInstalled{
    {QStringLiteral("setting/apConfig.bin"), "[common]\nname=Norvane KALVOR Keyboard 4200\n"},
    {QStringLiteral("setting/p1.bin"), "[common]\n"},
    {QStringLiteral("img/skin1/bg.png"), QByteArray(300, 'p')},
    {QStringLiteral("img/.thumbs"), "cache"},
    {QStringLiteral(".svn/entries"), "12"},
    {QStringLiteral("macro/Macro1.bin"), "[Macro]\n"},
};

Tree visiblePart(const Tree &tree)
{
    Tree visible;
    for (auto it = tree.cbegin(); it != tree.cend(); ++it)
        if (!it.key().startsWith(QLatin1Char('.')) && !it.key().contains(QStringLiteral("/.")))
            visible.insert(it.key(), it.value());
    return visible;
}

} // namespace

Q_DECLARE_METATYPE(Tree)

class tst_WorkingDirectory : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void userModulesPath_data();
    void userModulesPath();
    void dataFolderFromTheUsersHome();
    void markerKeepsTheInstallation_data();
    void markerKeepsTheInstallation();
    void firstStartCopiesTheTree();
    void laterStartUsesTheCopyUnchanged();
    void uncreatableTargetStaysInPlace();
    void failedCopyLeavesNoTarget();
    void interruptedCopyIsRedone();
    void missingInstallationIsNotCopied();
    void copyOntoExistingFile_data();
    void copyOntoExistingFile();
    void directorySize_data();
    void directorySize();

private:
    WorkingDirectory::Environment environment() const;
    QString target() const { return WorkingDirectory::userModulesPath(environment()); }

    QString m_startDir;
    std::unique_ptr<QTemporaryDir> m_root;
    QString m_appDir;
    QString m_dataLocation;
};

void tst_WorkingDirectory::init()
{
    m_startDir = QDir::currentPath();
    m_root = std::make_unique<QTemporaryDir>();
    QVERIFY(m_root->isValid());
    m_appDir = m_root->filePath(QStringLiteral("install/US"));
    m_dataLocation = m_root->filePath(QStringLiteral("home/.local/share/Tarvenix"));
    QVERIFY(writeTree(m_appDir + QStringLiteral("/modules"), kInstalled));
}

void tst_WorkingDirectory::cleanup()
{
    QDir::setCurrent(m_startDir);
    m_root.reset();
}

WorkingDirectory::Environment tst_WorkingDirectory::environment() const
{
    return {m_appDir, QString(), m_dataLocation};
}

void tst_WorkingDirectory::userModulesPath_data()
{
    QTest::addColumn<QString>("applicationDir");
    QTest::addColumn<QString>("programFiles");
    QTest::addColumn<QString>("dataLocation");
    QTest::addColumn<QString>("target");

    QTest::newRow("below program files")
        << "C:/Program Files (x86)/Norvane/US" << "C:\\Program Files (x86)"
        << "C:\\Users\\ann\\AppData\\Local\\Tarvenix"
        << "C:/Users/ann/AppData/Local/Norvane/US/modules";
    QTest::newRow("program files spelt in other case")
        << "C:/Program Files (x86)/Norvane/US" << "c:\\PROGRAM FILES (X86)"
        << "C:/Users/ann/AppData/Local/Tarvenix"
        << "C:/Users/ann/AppData/Local/Norvane/US/modules";
    QTest::newRow("elsewhere: appended whole")
        << "D:/Games/Norvane/UK" << "C:\\Program Files"
        << "C:/Users/ann/AppData/Local/Tarvenix"
        << "C:/Users/ann/AppData/LocalD:/Games/Norvane/UK/modules";
    QTest::newRow("Linux, no program files")
        << "/opt/tarvenix/US" << ""
        << "/home/ann/.local/share/Tarvenix"
        << "/home/ann/.local/share/opt/tarvenix/US/modules";
}

void tst_WorkingDirectory::userModulesPath()
{
    QFETCH(QString, applicationDir);
    QFETCH(QString, programFiles);
    QFETCH(QString, dataLocation);
    QFETCH(QString, target);
    QCOMPARE(WorkingDirectory::userModulesPath({applicationDir, programFiles, dataLocation}), target);
}

void tst_WorkingDirectory::dataFolderFromTheUsersHome()
{
    const QByteArray home = qgetenv("HOME");
    const QByteArray dataHome = qgetenv("XDG_DATA_HOME");
    const QString fakeHome = m_root->filePath(QStringLiteral("home"));
    qputenv("HOME", QFile::encodeName(fakeHome));
    qunsetenv("XDG_DATA_HOME");
    const WorkingDirectory::Environment system = WorkingDirectory::systemEnvironment();
    qputenv("HOME", home);
    if (!dataHome.isNull())
        qputenv("XDG_DATA_HOME", dataHome);

    QCOMPARE(system.applicationDir, QCoreApplication::applicationDirPath());
    QCOMPARE(WorkingDirectory::userModulesPath(system),
             fakeHome + QStringLiteral("/.local/share") + QCoreApplication::applicationDirPath() + QStringLiteral("/modules"));
}

void tst_WorkingDirectory::markerKeepsTheInstallation_data()
{
    QTest::addColumn<bool>("asDirectory");
    QTest::newRow("marker file") << false;
    QTest::newRow("marker directory") << true;
}

void tst_WorkingDirectory::markerKeepsTheInstallation()
{
    QFETCH(bool, asDirectory);
    const QString marker = m_appDir + QStringLiteral("/PermissionCompatibility");
    QVERIFY(asDirectory ? QDir().mkpath(marker) : writeTree(m_appDir, {{QStringLiteral("PermissionCompatibility"), {}}}));

    QCOMPARE(WorkingDirectory::chooseWorkingDirectory(environment()), m_appDir);
    QCOMPARE(QDir::currentPath(), m_appDir);
    QVERIFY(!QFileInfo::exists(m_root->filePath(QStringLiteral("home"))));
}

void tst_WorkingDirectory::firstStartCopiesTheTree()
{
    const QString working = WorkingDirectory::chooseWorkingDirectory(environment());
    QCOMPARE(working, m_dataLocation.left(m_dataLocation.lastIndexOf(QLatin1Char('/'))) + m_appDir);
    QCOMPARE(QDir::currentPath(), working);
    QCOMPARE(readTree(QDir::current().filePath(QStringLiteral("modules"))), visiblePart(kInstalled));
}

void tst_WorkingDirectory::laterStartUsesTheCopyUnchanged()
{
    WorkingDirectory::chooseWorkingDirectory(environment());
    QVERIFY(writeTree(target(), {{QStringLiteral("setting/p1.bin"), "[common]\nedited=1\n"}}));
    const Tree userTree = readTree(target());
    QDir::setCurrent(m_startDir);

    // The installation is updated between the starts.
    QVERIFY(writeTree(m_appDir + QStringLiteral("/modules"), {{QStringLiteral("setting/p1.bin"), "[new]\n"},
                                                             {QStringLiteral("setting/p2.bin"), "[new]\n"}}));
    const QString working = WorkingDirectory::chooseWorkingDirectory(environment());
    QCOMPARE(working + QStringLiteral("/modules"), target());
    QCOMPARE(readTree(target()), userTree);
}

void tst_WorkingDirectory::uncreatableTargetStaysInPlace()
{
    // The data folder lies below a plain file, so no directory can be made there.
    QVERIFY(writeTree(m_root->path(), {{QStringLiteral("blocked"), "file"}}));
    m_dataLocation = m_root->filePath(QStringLiteral("blocked/share/Tarvenix"));

    QCOMPARE(WorkingDirectory::chooseWorkingDirectory(environment()), m_appDir);
}

// A copy that breaks off half-way must not leave a tree that later starts would take as complete.
void tst_WorkingDirectory::failedCopyLeavesNoTarget()
{
    // The target lies so deep that the top of the tree can be copied but not a file with a
    // long name further down, whose path exceeds the system's limit.
    constexpr int kDepth = 3880;   // the limit is 4096 bytes with the terminating zero
    QString deep = m_root->filePath(QStringLiteral("home"));
    while (deep.size() + m_appDir.size() < kDepth)
        deep += QLatin1Char('/') + QString(qMin(200, kDepth - int(deep.size() + m_appDir.size())), QLatin1Char('d'));
    m_dataLocation = deep + QStringLiteral("/Tarvenix");
    QVERIFY(writeTree(m_appDir + QStringLiteral("/modules"),
                      {{QStringLiteral("setting/") + QString(250, QLatin1Char('x')), "too deep"}}));

    QCOMPARE(WorkingDirectory::chooseWorkingDirectory(environment()), m_appDir);
    QVERIFY(!QFileInfo::exists(target()));
    QVERIFY(!QFileInfo::exists(target() + QStringLiteral(".partial")));
}

void tst_WorkingDirectory::interruptedCopyIsRedone()
{
    QVERIFY(writeTree(target() + QStringLiteral(".partial"), {{QStringLiteral("setting/apConfig.bin"), "[cut"},
                                                              {QStringLiteral("stale.bin"), "old"}}));

    WorkingDirectory::chooseWorkingDirectory(environment());
    QCOMPARE(readTree(target()), visiblePart(kInstalled));
    QVERIFY(!QFileInfo::exists(target() + QStringLiteral(".partial")));
}

void tst_WorkingDirectory::missingInstallationIsNotCopied()
{
    QVERIFY(QDir(m_appDir + QStringLiteral("/modules")).removeRecursively());

    QCOMPARE(WorkingDirectory::chooseWorkingDirectory(environment()), m_appDir);
    QVERIFY(!QFileInfo::exists(target()));

    // Once the installation is repaired, the next start copies it.
    QVERIFY(writeTree(m_appDir + QStringLiteral("/modules"), kInstalled));
    QDir::setCurrent(m_startDir);
    WorkingDirectory::chooseWorkingDirectory(environment());
    QCOMPARE(readTree(target()), visiblePart(kInstalled));
}

void tst_WorkingDirectory::copyOntoExistingFile_data()
{
    QTest::addColumn<bool>("overwrite");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<bool>("copied");

    QTest::newRow("without overwrite") << false << false << false;
    QTest::newRow("with overwrite") << true << false << true;
    QTest::newRow("with overwrite, read-only file") << true << true << true;
}

void tst_WorkingDirectory::copyOntoExistingFile()
{
    QFETCH(bool, overwrite);
    QFETCH(bool, readOnly);
    QFETCH(bool, copied);

    const QString to = m_root->filePath(QStringLiteral("to"));
    QVERIFY(writeTree(to, {{QStringLiteral("setting/apConfig.bin"), "mine"}}));
    if (readOnly)
        QVERIFY(QFile::setPermissions(to + QStringLiteral("/setting/apConfig.bin"), QFileDevice::ReadOwner));

    QCOMPARE(WorkingDirectory::copyDirectory(m_appDir + QStringLiteral("/modules"), to, overwrite), copied);
    QCOMPARE(readTree(to).value(QStringLiteral("setting/apConfig.bin")),
             copied ? kInstalled.value(QStringLiteral("setting/apConfig.bin")) : QByteArray("mine"));
}

void tst_WorkingDirectory::directorySize_data()
{
    QTest::addColumn<Tree>("tree");
    QTest::addColumn<qint64>("size");

    const Tree base{{QStringLiteral("a.png"), QByteArray(100, 'a')},
                    {QStringLiteral("skin1/b.png"), QByteArray(20, 'b')},
                    {QStringLiteral("skin1/deep/c.png"), QByteArray(3, 'c')}};
    QTest::newRow("nested files") << base << qint64(123);
    QTest::newRow("empty tree") << Tree{} << qint64(0);

    Tree extra = base;
    extra.insert(QStringLiteral("skin2/new.png"), QByteArray(7, 'n'));
    QTest::newRow("one file more") << extra << qint64(130);
    Tree resized = base;
    resized.insert(QStringLiteral("skin1/b.png"), QByteArray(21, 'b'));
    QTest::newRow("one file resized") << resized << qint64(124);
    Tree hidden = base;
    hidden.insert(QStringLiteral(".directory"), QByteArray(50, 'h'));
    hidden.insert(QStringLiteral("skin1/.hidden/d.png"), QByteArray(60, 'd'));
    QTest::newRow("hidden files and folders") << hidden << qint64(123);
}

void tst_WorkingDirectory::directorySize()
{
    QFETCH(Tree, tree);
    QFETCH(qint64, size);

    const QString img = m_root->filePath(QStringLiteral("img"));
    QVERIFY(QDir().mkpath(img));
    QVERIFY(writeTree(img, tree));
    QCOMPARE(WorkingDirectory::directorySize(img), size);
}

QTEST_GUILESS_MAIN(tst_WorkingDirectory)
#include "tst_WorkingDirectory.moc"
