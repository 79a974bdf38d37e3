// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QProcessEnvironment>

// The toolkit's window platform that the application asks for, or empty to leave the choice to
// the toolkit. On a Wayland session (WAYLAND_DISPLAY set) that also runs an X server for X11
// programs (DISPLAY set, as XWayland does) it is "xcb": there the frameless, translucent window
// is placed and dragged as on X11, and the desktop's key events can be observed. A platform the
// user names in QT_QPA_PLATFORM always stands; so does the toolkit's choice on X11 or where no
// X server is at hand.
QByteArray chooseWindowPlatform(const QProcessEnvironment &environment);
