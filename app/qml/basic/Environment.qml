// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick 2.15

// The window's background: the skin's background, or the user's picture, stretched to the
// window, and the skin's frame over it.
Item {
    width: 1000
    height: 600

    Image {
        anchors.fill: parent
        fillMode: Image.Stretch
        source: root.isCustomBackground ? root.sourceCustomBackground : root.skinDir + "/background.png"
    }

    Image {
        source: root.skinDir + "/frame/frameBackground.png"
    }
}
