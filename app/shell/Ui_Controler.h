// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "KeyMap.h"

#include <QObject>
#include <QPoint>

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
    // point on every move while the button is held. Where the compositor places windows itself
    // and ignores the move (every native Wayland window; an X window that stays where it was
    // pressed although it was moved), the compositor is asked instead to move the window with
    // the pointer until the button is released (a system move), once per press.
    void onXChanged(int x);
    void onYChanged(int y);
    void setBusy(bool isBusy = false);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void moveWindowBy(const QPoint &offset);

    const KeyMap::Layout m_layout;
    QWidget *window = nullptr;
    myQQuickView *m_view = nullptr;
    QQuickWidget *m_busyView = nullptr;
    bool isBusy = false;
    // Dragging, per press on the scene.
    bool m_compositorPlaces = false;    // moves are ignored: for the rest of the run
    QPoint m_pressPosition;             // the window's position at the press
    bool m_movedAway = false;           // a move away from there was asked for
    bool m_systemMove = false;          // the compositor moves the window until the release
};
