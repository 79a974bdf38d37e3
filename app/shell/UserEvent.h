// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QEvent>

// The main window's own event: QEvent::User with a code. Code 2177 starts the scene once the
// event loop runs, after the queued "setBusy" and "initUI".
class UserEvent : public QEvent
{
public:
    static constexpr int kStartScene = 2177;

    explicit UserEvent(int code)
        : QEvent(QEvent::User)
        , code(code)
    {
    }

    const int code;
};
