// SPDX-License-Identifier: GPL-3.0-or-later
// The toolkit's dialogs as the application opens them, over the main window whose own
// background is transparent: they keep the desktop's look, and a profile saved under a name
// without suffix gets ".pf".
#include "StandardDialogs.h"
#include "Ui_Controler.h"
#include "myQQuickView.h"

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

using Ask = std::function<QString(UserDialogs &)>;

// Runs `answer` on the modal dialog that `ask` shows, once it is up; `answer` must close it.
QString whileShown(UserDialogs &dialogs, const Ask &ask, const std::function<void(QWidget *)> &answer)
{
    bool shown = false;
    QTimer::singleShot(0, [&] {
        QWidget *dialog = QApplication::activeModalWidget();
        if (!dialog)
            return;
        shown = true;
        answer(dialog);
    });
    const QString result = ask(dialogs);
    [&] { QVERIFY2(shown, "no dialog was shown"); }();
    return result;
}

// The colour the widget's background is painted with, and whether grabbing it shows opaque
// pixels: a transparent background leaves black text on the black window behind.
void verifyOpaque(QWidget *widget)
{
    QCOMPARE(widget->palette().color(widget->backgroundRole()).alpha(), 255);
    const QImage image = widget->grab().toImage();
    QCOMPARE(qAlpha(image.pixel(image.width() / 2, image.height() / 2)), 255);
}

} // namespace

Q_DECLARE_METATYPE(Ask)

class tst_StandardDialogs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void dialogsKeepTheDesktopLook_data();
    void dialogsKeepTheDesktopLook();
    void savedNameGetsTheSuffix_data();
    void savedNameGetsTheSuffix();

private:
    QTemporaryDir m_folder;
    std::unique_ptr<QWidget> m_window;
    std::unique_ptr<Ui_Controler> m_controller;
    std::unique_ptr<StandardDialogs> m_dialogs;
};

void tst_StandardDialogs::initTestCase()
{
    qRegisterMetaType<Ask>();
    QVERIFY(m_folder.isValid());
}

// The main window as the application builds it; the bridge view is the file dialogs' parent.
void tst_StandardDialogs::init()
{
    m_window = std::make_unique<QWidget>();
    m_controller = std::make_unique<Ui_Controler>(KeyMap::Layout::US);
    m_controller->setupUi(m_window.get(), nullptr);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    m_dialogs = std::make_unique<StandardDialogs>(m_controller->view());
}

void tst_StandardDialogs::cleanup()
{
    m_dialogs.reset();
    m_controller.reset();
    m_window.reset();
}

void tst_StandardDialogs::dialogsKeepTheDesktopLook_data()
{
    QTest::addColumn<Ask>("ask");
    const QString folder = m_folder.path();
    QTest::newRow("Open File") << Ask([folder](UserDialogs &d) { return d.openFile("Open File", folder, "Profile(*.pf)"); });
    QTest::newRow("Save File") << Ask([folder](UserDialogs &d) { return d.saveFile("Save File", folder, "Profile(*.pf)"); });
    QTest::newRow("warning") << Ask([](UserDialogs &d) { d.warn("Background picture", "Cannot open the picture"); return QString(); });
}

void tst_StandardDialogs::dialogsKeepTheDesktopLook()
{
    QFETCH(Ask, ask);
    whileShown(*m_dialogs, ask, [](QWidget *dialog) {
        verifyOpaque(dialog);
        if (QLineEdit *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
            verifyOpaque(name);
        dialog->close();
    });
}

void tst_StandardDialogs::savedNameGetsTheSuffix_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("saved");
    QTest::newRow("no suffix") << "mine" << "mine.pf";
    QTest::newRow("the profile suffix") << "mine.pf" << "mine.pf";
    QTest::newRow("another suffix") << "mine.backup" << "mine.backup";
}

void tst_StandardDialogs::savedNameGetsTheSuffix()
{
    QFETCH(QString, typed);
    QFETCH(QString, saved);
    const QString folder = m_folder.path();
    const QString path = whileShown(
        *m_dialogs, [folder](UserDialogs &d) { return d.saveFile("Save File", folder, "Profile(*.pf)"); },
        [typed](QWidget *dialog) {
            QLineEdit *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
            if (!name) {
                dialog->close();
                return;
            }
            name->setText(typed);
            QTest::keyClick(name, Qt::Key_Return);
        });
    QCOMPARE(path, QDir(folder).filePath(saved));
}

QTEST_MAIN(tst_StandardDialogs)
#include "tst_StandardDialogs.moc"
