// SPDX-License-Identifier: GPL-3.0-or-later
// The main window of the US build on the simulated keyboard, run from the working directory as
// it is, which asks for a background picture after `delay` milliseconds and is answered with
// `picture`: an unreadable one brings up the warning box the scene reaches only through its
// settings page. For screenshots of that box.
//
//   warning_window PICTURE DELAY_MS
#include "InstallationFlags.h"
#include "SceneResources.h"
#include "SimulatedKeyboard.h"
#include "StandardDialogs.h"
#include "Ui_Controler.h"
#include "Widget.h"
#include "myQQuickView.h"

#include <QApplication>
#include <QTimer>

namespace {

// The file dialog answered with a fixed path; the warning as the application shows it.
class AnsweredPicture final : public UserDialogs
{
public:
    AnsweredPicture(QWidget *parent, const QString &picture)
        : m_dialogs(parent)
        , m_picture(picture)
    {
    }
    QString openFile(const QString &, const QString &, const QString &) override { return m_picture; }
    QString saveFile(const QString &, const QString &, const QString &) override { return QString(); }
    void warn(const QString &title, const QString &text) override { m_dialogs.warn(title, text); }

private:
    StandardDialogs m_dialogs;
    const QString m_picture;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc != 3)
        return 2;
    imagesVerified = true;
    initSceneResources();
    SimulatedKeyboard keyboard(SimulatedKeyboard::kReleaseUS);
    Widget window(KeyMap::Layout::US, keyboard);
    myQQuickView *view = window.controller()->view();
    AnsweredPicture dialogs(view, QString::fromLocal8Bit(argv[1]));
    view->setDialogs(&dialogs);
    window.showNormal();
    window.startUi();
    QTimer::singleShot(QString::fromLatin1(argv[2]).toInt(), view, [view] { view->getCustomFilePath(); });
    return app.exec();
}
