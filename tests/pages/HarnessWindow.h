// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Hid_Thread.h"
#include "KeyMap.h"
#include "Ui_Controler.h"
#include "VendorEventSink.h"

#include <QObject>
#include <QPointer>

#include <memory>

class HidApi;
class UserDialogs;
class myQQuickView;

// Plays the main window's part for a scene that a test created: owns the device link, the
// bridge and the window controller as the main window does, finds the keyboard and starts the
// link's listener when it is made, and passes the keyboard's vendor events on to the test's
// scene. Published as `kernel`, whose syncFW() re-reads the keyboard mode as the main window's
// does. The bridge loads no scene of its own. GUI thread, except vendorEvent() (the listener's
// pool thread).
class HarnessWindow : public QObject, private VendorEventSink
{
    Q_OBJECT

public:
    HarnessWindow(KeyMap::Layout layout, HidApi &hidApi, UserDialogs *dialogs);
    ~HarnessWindow() override;

    // The scene that detectVendor() calls reach; it may be destroyed at any time.
    void setScene(QObject *scene) { m_scene = scene; }

    Hid_Thread *link() { return &m_link; }
    myQQuickView *view() const { return m_view.get(); }
    Ui_Controler *controller() { return &m_controller; }

public slots:
    void syncFW();

private:
    void vendorEvent(quint32 code) override;
    // Calls the scene's detectVendor(code) on the GUI thread's next turn, in call order.
    void detectVendor(quint32 code);

    Hid_Thread m_link;
    std::unique_ptr<myQQuickView> m_view;
    Ui_Controler m_controller;
    QPointer<QObject> m_scene;
};
