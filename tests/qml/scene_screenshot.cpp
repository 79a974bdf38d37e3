// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the main scene of the US build without the device and the main window, with the
// shipped data below the working directory (the configuration, the language files, the skins),
// and saves one picture of it:
//
//   scene_screenshot OUT.png [--skin 1|2] [--language INDEX] [--page 0|1|2] [--settings]
//
// The scene's calls go to the recording stand-ins, which answer from the shipped files. The
// options replace the stored skin and language index (0..16, the settings page's list), click
// a function-menu entry and open the settings panel before the picture is taken. It needs a
// display to grab the window from (the offscreen platform gives an empty picture):
//
//   QT_QUICK_BACKEND=software xvfb-run -a -s "-screen 0 1280x800x24" scene_screenshot main.png
#include "CallLog.h"
#include "RecordingController.h"
#include "RecordingKernel.h"
#include "RecordingView.h"
#include "SceneResources.h"

#include "AppConfigStore.h"
#include "Languages.h"

#include <QCommandLineParser>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QQmlContext>
#include <QQuickItem>
#include <QQuickView>
#include <QTest>

namespace {

// Start-up animation and menu entry at the normal animation speed, with some margin.
constexpr int kStartMs = 4500;
constexpr int kSlideMs = 1200;

// Points of the design: a function-menu entry and the settings button.
QPoint functionEntry(int page) { return QPoint(80, 180 + page * 50 + 18); }
constexpr QPoint kSettingsButton(19, 13);

void answerLanguages(CallLog &log)
{
    Languages languages;
    const QStringList files = QDir(QStringLiteral("modules/i18n")).entryList({QStringLiteral("lang_*.ini")});
    for (const QString &file : files) {
        const QString code = file.mid(5, 6);
        log.setReply(QStringLiteral("ui_View.getGlobalStrings(%1)").arg(code), languages.getGlobalStrings(code));
        log.setReply(QStringLiteral("ui_View.getProductLayoutStrings(%1)").arg(code),
                     languages.getProductLayoutStrings(code));
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);

    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("output"), QStringLiteral("The picture to write (PNG)."));
    const QCommandLineOption skin(QStringLiteral("skin"), QStringLiteral("Skin 1 or 2."), QStringLiteral("number"));
    const QCommandLineOption language(QStringLiteral("language"), QStringLiteral("Language index 0..16."),
                                      QStringLiteral("index"));
    const QCommandLineOption page(QStringLiteral("page"), QStringLiteral("Function-menu entry to click."),
                                  QStringLiteral("index"));
    const QCommandLineOption settings(QStringLiteral("settings"), QStringLiteral("Open the settings panel."));
    parser.addOptions({skin, language, page, settings});
    parser.addHelpOption();
    parser.process(app);
    if (parser.positionalArguments().size() != 1)
        parser.showHelp(2);

    initSceneResources();
    CallLog log;
    RecordingView view(&log);
    RecordingController controller(&log);
    RecordingKernel kernel(&log);
    QObject hid;

    QVariantList config = AppConfigStore().load();
    if (config.size() < 31) {
        qWarning("scene_screenshot: no application configuration in modules/setting/apConfig.bin");
        return 1;
    }
    if (parser.isSet(skin))
        config[1] = parser.value(skin).toInt();
    if (parser.isSet(language))
        config[4] = parser.value(language).toInt();
    log.setReply(QStringLiteral("ui_View.loadApConfig"), config);
    answerLanguages(log);

    QQuickView quickView;
    QQmlContext *context = quickView.rootContext();
    context->setContextProperty(QStringLiteral("ui_View"), &view);
    context->setContextProperty(QStringLiteral("hid"), &hid);
    context->setContextProperty(QStringLiteral("ui_Ctl"), &controller);
    context->setContextProperty(QStringLiteral("kernel"), &kernel);
    quickView.setSource(QUrl(QStringLiteral("qrc:modules/qml/main.qml")));
    if (quickView.status() != QQuickView::Ready) {
        for (const QQmlError &error : quickView.errors())
            qWarning("%s", qPrintable(error.toString()));
        return 1;
    }
    quickView.show();

    QMetaObject::invokeMethod(quickView.rootObject(), "initUI");
    QMetaObject::invokeMethod(quickView.rootObject(), "run");
    QTest::qWait(kStartMs);
    if (parser.isSet(page)) {
        QTest::mouseClick(&quickView, Qt::LeftButton, {}, functionEntry(parser.value(page).toInt()));
        QTest::qWait(kSlideMs);
    }
    if (parser.isSet(settings)) {
        QTest::mouseClick(&quickView, Qt::LeftButton, {}, kSettingsButton);
        QTest::qWait(kSlideMs);
    }
    const QImage picture = quickView.grabWindow();
    return picture.save(parser.positionalArguments().first()) ? 0 : 1;
}
