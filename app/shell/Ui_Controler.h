// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "KeyMap.h"

#include <QObject>

class Hid_Thread;
class QQuickWidget;
class QWidget;
class myQQuickView;

// Builds the main window's content and is published to the scene as `ui_Ctl`: the scene drags
// the window with it and closes it; the native side shows and hides the busy indicator.
// GUI thread only.
class Ui_Controler : public QObject
{
    Q_OBJECT

public:
    explicit Ui_Controler(KeyMap::Layout layout);

    // Makes `window` a frameless, translucent 1000 x 600 window holding the bridge view with the
    // main scene and, centred over it, the busy indicator; titles it from the configuration.
    // `link` is the window's device link, published to the scene as `hid`.
    void setupUi(QWidget *window, Hid_Thread *link);
    myQQuickView *view() const { return m_view; }
    QQuickWidget *busyView() const { return m_busyView; }
    bool busy() const { return isBusy; }

public slots:
    void onMinimize();
    // Moves the window by the given offset; the scene sends the pointer's offset from the press
    // point on every move while the button is held.
    void onXChanged(int x);
    void onYChanged(int y);
    void setBusy(bool isBusy = false);

private:
    const KeyMap::Layout m_layout;
    QWidget *window = nullptr;
    myQQuickView *m_view = nullptr;
    QQuickWidget *m_busyView = nullptr;
    bool isBusy = false;
};
