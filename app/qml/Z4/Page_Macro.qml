// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick 2.15

// The macro page: the macro library, recorded from the keyboard and edited step by step.
Item {
    // Reads the list of macro files; once, at start-up (the macro library is not per profile).
    function initUI() {
    }

    // Every key going down or up, whichever page is shown; recording and key capture use it.
    function detectKeyboard(isDown, usbCode) {
    }

    width: 759
    height: 396

    Image {
        source: root.skinDir + "/list_center/fnMacroBackground.png"
    }
}
