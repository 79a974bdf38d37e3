// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick 2.15

// The lighting page: the on-screen keyboard that previews and paints the backlight.
Item {
    // Reads the current profile's user pictures and lighting mode.
    function initUI() {
    }

    function translateStrings() {
        main_Z4.labelKeys(model.getKey)
    }

    // Every key going down or up, whichever page is shown; the reactive effects use it.
    function detectKeyboard(isDown, usbCode) {
    }

    width: 759
    height: 442

    Image {
        source: root.skinDir + "/list_center/fnColorBackground.png"
    }

    Item {
        x: 1
        y: 68
        width: 738
        height: 250

        Model_Color_Z4 {
            id: model
            x: 22
            y: 29
            labelSize: main_Z4._ProductLayoutStringSize
        }
    }
}
