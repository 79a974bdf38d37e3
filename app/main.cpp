// SPDX-License-Identifier: GPL-3.0-or-later
// Tarvenix, the configuration application. Built once per keyboard layout: TARVENIX_LAYOUT_UK
// selects the UK build, otherwise US.
#include "DeviceLock.h"
#include "HidApiSelection.h"
#include "ImageTree.h"
#include "InstallationFlags.h"
#include "SceneBackend.h"
#include "SceneResources.h"
#include "ShellLog.h"
#include "SimulatedKeyboard.h"
#include "SingleInstance.h"
#include "TerminationSignals.h"
#include "Widget.h"
#include "WindowPlatform.h"
#include "WorkingDirectory.h"

#include <QApplication>

#include <vector>

namespace {

#ifdef TARVENIX_LAYOUT_UK
constexpr KeyMap::Layout kLayout = KeyMap::Layout::UK;
constexpr unsigned short kSimulatedRelease = SimulatedKeyboard::kReleaseUK;
#else
constexpr KeyMap::Layout kLayout = KeyMap::Layout::US;
constexpr unsigned short kSimulatedRelease = SimulatedKeyboard::kReleaseUS;
#endif

} // namespace

int main(int argc, char *argv[])
{
    // The platform goes to the toolkit as an option of this process, not in the environment, so
    // that programs started from here make their own choice.
    QByteArray platformOption("-platform");
    QByteArray platform = chooseWindowPlatform(QProcessEnvironment::systemEnvironment());
    std::vector<char *> arguments(argv, argv + argc);
    if (!platform.isEmpty()) {
        arguments.push_back(platformOption.data());
        arguments.push_back(platform.data());
    }
    arguments.push_back(nullptr);
    int count = int(arguments.size()) - 1;

    leaveOpenGLUnloaded();
    QApplication app(count, arguments.data());
    qCDebug(lcShell, "window platform %s", qUtf8Printable(QGuiApplication::platformName()));
    const bool softwareScene = chooseSceneBackend();
    qCDebug(lcShell, "scene renderer %s", softwareScene ? "software" : "toolkit's choice");
    SingleInstance instance(QCoreApplication::applicationFilePath());
    if (!instance.acquire())
        return 1;

    WorkingDirectory::chooseWorkingDirectory(WorkingDirectory::systemEnvironment());
    imagesVerified = imageTreeVerified(QStringLiteral("./modules/img"));

    initSceneResources();
    // The command-line tool stays away while the device link is open; one that is running a
    // command now hands the keyboard over when it is done.
    DeviceLock deviceLock;
    deviceLock.lockWhenFree();
    int result = 0;
    {
        Widget window(kLayout, selectHidApi(kSimulatedRelease));
        TerminationSignals termination;
        QObject::connect(&termination, &TerminationSignals::terminationRequested, &window, &QWidget::close);
        termination.start();
        window.showNormal();
        window.startUi();
        result = app.exec();
    }
    return result;
}
