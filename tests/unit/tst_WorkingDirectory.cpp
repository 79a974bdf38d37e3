// SPDX-License-Identifier: GPL-3.0-or-later
#include "WorkingDirectory.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

#include <unistd.h>

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
    {QStringLiteral("setting/keymap.bin"), "[fw_sw]\n0=0\n"},
    {QStringLiteral("i18n/lang_031225.ini"), "[Z4]\n0=CTRL\n"},
    {QStringLiteral("media/01.wav"), QByteArray(40, 'w')},
};

QByteArray versionFile(int version)
{
    return "[data]\nversion=" + QByteArray::number(version) + "\n";
}

// Only the entries of `tree` below one of the folders, or equal to one of the files, given.
Tree part(const Tree &tree, const QStringList &prefixes)
{
    Tree selected;
    for (auto it = tree.cbegin(); it != tree.cend(); ++it)
        for (const QString &prefix : prefixes)
            if (it.key() == prefix || it.key().startsWith(prefix + QLatin1Char('/')))
                selected.insert(it.key(), it.value());
    return selected;
}

const QStringList kShipped{QStringLiteral("img"), QStringLiteral("i18n"), QStringLiteral("media"),
                           QStringLiteral("setting/keymap.bin"), QStringLiteral("data_version.ini")};
const QStringList kUsers{QStringLiteral("setting/apConfig.bin"), QStringLiteral("setting/p1.bin"),
                         QStringLiteral("macro")};

Tree visiblePart(const Tree &tree)
{
    Tree visible;
    for (auto it = tree.cbegin(); it != tree.cend(); ++it)
        if (!it.key().startsWith(QLatin1Char('.')) && !it.key().contains(QStringLiteral("/.")))
            visible.insert(it.key(), it.value());
    return visible;
}

// While it lives, a test that runs as root runs as the user "nobody" in a folder open to all:
// root may write any file, so the toolkit copies a read-only file as writable for it, which
// would hide what a normal user gets. The real user changes too (the toolkit asks access(),
// which answers for the real user); root stays the saved one, to return to.
class AsNormalUser
{
public:
    explicit AsNormalUser(const QString &folder)
    {
        if (::geteuid() != 0)
            return;
        QFile::setPermissions(folder, QFileDevice::Permissions(0x7777));
        m_switched = ::setresuid(kNobody, kNobody, 0) == 0;
    }
    ~AsNormalUser()
    {
        if (m_switched && ::setresuid(0, 0, 0) != 0)
            qFatal("cannot return to root");
    }
    AsNormalUser(const AsNormalUser &) = delete;
    AsNormalUser &operator=(const AsNormalUser &) = delete;

private:
    static constexpr uid_t kNobody = 65534;
    bool m_switched = false;
};

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
    void readOnlyInstallationGivesAWritableCopy();
    void newerInstallationRefreshesShippedData_data();
    void newerInstallationRefreshesShippedData();
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

// A package installs its data read-only; the profiles, configuration and macros copied from it
// must still be the user's to change.
void tst_WorkingDirectory::readOnlyInstallationGivesAWritableCopy()
{
    const QString installed = m_appDir + QStringLiteral("/modules");
    const auto setAll = [&](QFileDevice::Permissions files, QFileDevice::Permissions folders) {
        QDirIterator it(installed, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
        QStringList paths;
        while (it.hasNext())
            paths.prepend(it.next());   // deepest first: a folder is closed after its content
        for (const QString &path : paths)
            QFile::setPermissions(path, QFileInfo(path).isDir() ? folders : files);
    };
    const QFileDevice::Permissions readable = QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
    const QFileDevice::Permissions enterable = QFileDevice::ExeOwner | QFileDevice::ExeGroup | QFileDevice::ExeOther;
    setAll(readable, readable | enterable);

    {
        const AsNormalUser user(m_root->path());
        WorkingDirectory::chooseWorkingDirectory(environment());
    }
    setAll(readable | QFileDevice::WriteOwner, readable | enterable | QFileDevice::WriteOwner);

    QDirIterator it(target(), QDir::AllEntries | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    int entries = 0;
    while (it.hasNext()) {
        const QFileInfo entry(it.next());
        const QFileDevice::Permissions needed = QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                | (entry.isDir() ? QFileDevice::ExeOwner : QFileDevice::Permissions());
        QVERIFY2((entry.permissions() & needed) == needed, qPrintable(entry.filePath()));
        ++entries;
    }
    QCOMPARE(entries, visiblePart(kInstalled).size() + 6);   // and the folders setting, img, skin1, macro, i18n, media
}

// An upgrade that ships new pictures, languages, sounds or key map replaces them in the user's
// copy (the image check fails on old pictures), and keeps the user's profiles, configuration
// and macros; without a newer version nothing changes.
void tst_WorkingDirectory::newerInstallationRefreshesShippedData_data()
{
    QTest::addColumn<int>("copied");      // the version of the first start; 0: no stamp
    QTest::addColumn<int>("installed");   // the version of the upgrade
    QTest::addColumn<bool>("refreshed");
    QTest::newRow("newer installation") << 1 << 2 << true;
    QTest::newRow("copy without a stamp") << 0 << 1 << true;
    QTest::newRow("same version") << 2 << 2 << false;
    QTest::newRow("older installation") << 3 << 2 << false;
}

void tst_WorkingDirectory::newerInstallationRefreshesShippedData()
{
    QFETCH(int, copied);
    QFETCH(int, installed);
    QFETCH(bool, refreshed);
    const QString installation = m_appDir + QStringLiteral("/modules");
    if (copied > 0)
        QVERIFY(writeTree(installation, {{QStringLiteral("data_version.ini"), versionFile(copied)}}));
    WorkingDirectory::chooseWorkingDirectory(environment());
    QVERIFY(writeTree(target(), {{QStringLiteral("setting/p1.bin"), "[color]\nledType=1, 2, 3, 4, 5\n"},
                                 {QStringLiteral("setting/apConfig.bin"), "[common]\ntotal=0\n"},
                                 {QStringLiteral("macro/Macro2.bin"), "[Macro]\nrecorded=1\n"}}));
    const Tree userTree = readTree(target());
    QDir::setCurrent(m_startDir);

    // The upgrade: a picture changed, one added and one gone; new language, sound and key map;
    // also new default profiles, which must not reach the user's.
    QVERIFY(QFile::remove(installation + QStringLiteral("/img/skin1/bg.png")));
    QVERIFY(writeTree(installation, {{QStringLiteral("img/skin2/bg.png"), QByteArray(310, 'q')},
                                     {QStringLiteral("i18n/lang_031225.ini"), "[Z4]\n0=STRG\n"},
                                     {QStringLiteral("media/01.wav"), QByteArray(41, 'v')},
                                     {QStringLiteral("setting/keymap.bin"), "[fw_sw]\n0=1\n"},
                                     {QStringLiteral("setting/p1.bin"), "[new]\n"},
                                     {QStringLiteral("data_version.ini"), versionFile(installed)}}));
    const Tree upgrade = visiblePart(readTree(installation));

    QCOMPARE(WorkingDirectory::chooseWorkingDirectory(environment()) + QStringLiteral("/modules"), target());
    const Tree result = readTree(target());
    if (!refreshed) {
        QCOMPARE(result, userTree);
        return;
    }
    QCOMPARE(part(result, kShipped), part(upgrade, kShipped));
    QCOMPARE(part(result, kUsers), part(userTree, kUsers));
    QVERIFY(!QFileInfo::exists(target() + QStringLiteral("/img.partial")));
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
