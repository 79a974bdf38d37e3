// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DataTree.h"
#include "KeyMap.h"
#include "KeyboardProbe.h"
#include "ScriptedDialogs.h"

#include <QObject>
#include <QPointer>

#include <memory>

class HarnessWindow;
class QQmlEngine;
class SimulatedKeyboard;

// The application as the page tests meet it: the real bridge with a real device link on a
// simulated keyboard, in a temporary copy of the built data tree, behind the installation gate
// as the application has it (the image tree checked at start; the language half opened by the
// scene's own first language load).
//
// Published as `harness`, beside the application's root-context objects (ui_View, hid, ui_Ctl,
// kernel) and the test's own (simKeyboard, dataTree, dialogs, keyboardLayout). Every test
// file starts on the shipped data and a fresh keyboard; reset() starts again like that,
// restart() starts the application again on the data and keyboard as they are. Both replace
// ui_View, hid, ui_Ctl and kernel: call them before making a scene, never with one alive.
// GUI thread only.
class PageHarness : public QObject
{
    Q_OBJECT

public:
    PageHarness(KeyMap::Layout layout, unsigned short release, const QString &shippedTree, const QString &layoutName);
    ~PageHarness() override;

    Q_INVOKABLE void reset();
    Q_INVOKABLE void restart();
    // The scene that the keyboard's vendor events and kernel.syncFW() reach.
    Q_INVOKABLE void setScene(QObject *scene);

public slots:
    // Called by Qt Quick Test for each test file's new engine.
    void qmlEngineAvailable(QQmlEngine *engine);

private:
    void startApplication();
    void stopApplication();

    const KeyMap::Layout m_layout;
    const unsigned short m_release;
    const QString m_layoutName;
    QPointer<QQmlEngine> m_engine;
    DataTree m_tree;
    KeyboardProbe m_probe;
    ScriptedDialogs m_dialogs;
    std::unique_ptr<SimulatedKeyboard> m_keyboard;
    std::unique_ptr<HarnessWindow> m_window;
};
