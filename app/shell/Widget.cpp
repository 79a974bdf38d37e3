// SPDX-License-Identifier: GPL-3.0-or-later
#include "Widget.h"

#include "DeviceDescriptor.h"
#include "UserEvent.h"
#include "Ui_Controler.h"
#include "myQQuickView.h"
#include "ShellLog.h"

#include <QCoreApplication>

namespace {

constexpr int kPresenceDelayMs = 100;      // after the last device change of a burst
constexpr quint32 kModeReport = 0x04050000; // | mode << 8

} // namespace

Widget::Widget(KeyMap::Layout layout, HidApi &hidApi, QWidget *parent)
    : QWidget(parent)
    , link(hidApi)
    , m_keyHook(layout)
    , m_inputHook(m_keyHook)
    , m_keyboardInterface(hidApi)
{
    // Keys from the keyboard's own reports; a key that the desktop's events bring too is
    // reported once.
    connect(&m_keyboardInterface, &KeyboardInterfaceReader::keyChanged, this,
            [this](bool isDown, int usage) { m_keyHook.keyUsage(isDown, uchar(usage)); });
    link.setOwner(this);
    m_controller = new Ui_Controler(layout);
    m_controller->setupUi(this, &link);
    m_controller->view()->setHidLink(&link);

    deviceTimer.setInterval(kPresenceDelayMs);
    deviceTimer.setSingleShot(true);
    connect(&deviceTimer, &QTimer::timeout, this, &Widget::checkDevice);
    checkDevice();

    // A burst of device changes restarts the timer: one presence check follows the last one.
    connect(&m_deviceChanges, &DeviceChangeWatcher::deviceChanged, &deviceTimer, qOverload<>(&QTimer::start));
    m_deviceChanges.start();
    connect(&m_resumes, &ResumeWatcher::resumed, this, &Widget::syncFW);
    m_resumes.start();

    m_keyHook.setSink(this);
    m_inputHook.installHOOK();
}

Widget::~Widget()
{
    link.stopListener();
    m_inputHook.removeHOOK();
    m_keyboardInterface.stop();
    // The views are children of this window and outlive the link member by a moment: whatever
    // the scene calls while it is torn down must not reach a destroyed link.
    m_controller->view()->setHidLink(nullptr);
    m_controller->deleteLater();
}

void Widget::checkDevice()
{
    foundDevices = link.enumerateDevices(readDeviceDescriptors());
    // The keyboard whose paths the link keeps is the last one found.
    m_keyboardInterface.follow(foundDevices.isEmpty() ? QString() : foundDevices.constLast().keyboardPath);
    link.stopListener();
    link.startListener();
    syncFW();
}

void Widget::syncFW()
{
    uchar mode = 0;
    link.hid_89H_GetKeyboardMode(mode);
    m_controller->view()->detectVendor(kModeReport | quint32(mode) << 8);
}

void Widget::startUi()
{
    m_controller->setBusy(true);
    m_controller->view()->initUI();
    QCoreApplication::postEvent(this, new UserEvent(UserEvent::kStartScene));
}

void Widget::customEvent(QEvent *event)
{
    if (event->type() != QEvent::User || static_cast<UserEvent *>(event)->code != UserEvent::kStartScene)
        return;
    m_controller->setBusy(false);
    m_controller->view()->runUI();
}

void Widget::vendorEvent(quint32 code)
{
    m_controller->view()->detectVendor(code);
}

void Widget::detectKeyboard(bool isDown, int usage)
{
    qCDebug(lcShell, "key %s usage 0x%02x", isDown ? "down" : "up", usage);
    m_controller->view()->detectKeyboard(isDown, usage);
}

void Widget::detectMouse(bool isDown, uint button, uint x, uint y)
{
    qCDebug(lcShell, "button %u %s at %u,%u", button, isDown ? "down" : "up", x, y);
    m_controller->view()->detectMouse(isDown, button, x, y);
}
