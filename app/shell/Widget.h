// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DeviceChangeWatcher.h"
#include "Hid_Thread.h"
#include "InputHook.h"
#include "KeyboardInterfaceReader.h"
#include "KeyEventSink.h"
#include "KeyHook.h"
#include "KeyMap.h"
#include "ResumeWatcher.h"
#include "VendorEventSink.h"

#include <QTimer>
#include <QWidget>

class HidApi;
class Ui_Controler;

// The one top-level window. Owns the device link, the presence timer and the window controller;
// everything visible is drawn by the controller's two views. It looks for the keyboard at
// construction and 100 ms after the last device change of a burst, re-reads the keyboard mode
// after a resume, and passes the keyboard's vendor events, every key and button press of the
// desktop and the keys of the keyboard's own keyboard interface on to the scene.
//
// Published to the scene as `kernel`, which calls only syncFW(). GUI thread, except
// vendorEvent(), which the device link's listener calls from its pool thread.
class Widget : public QWidget, private VendorEventSink, private KeyEventSink
{
    Q_OBJECT

public:
    Widget(KeyMap::Layout layout, HidApi &hidApi, QWidget *parent = nullptr);
    ~Widget() override;

    // Busy indicator on, the scene's initialisation, then (once the event loop runs) busy off
    // and the scene's start.
    void startUi();
    Ui_Controler *controller() const { return m_controller; }

public slots:
    void checkDevice();
    void syncFW();

protected:
    void customEvent(QEvent *event) override;

private:
    void vendorEvent(quint32 code) override;
    void detectKeyboard(bool isDown, int usage) override;
    void detectMouse(bool isDown, uint button, uint x, uint y) override;

    QTimer deviceTimer;
    Ui_Controler *m_controller = nullptr;
    Hid_Thread link;
    QList<FoundDevice> foundDevices;
    KeyHook m_keyHook;
    InputHook m_inputHook;
    KeyboardInterfaceReader m_keyboardInterface;
    DeviceChangeWatcher m_deviceChanges;
    ResumeWatcher m_resumes;
};
