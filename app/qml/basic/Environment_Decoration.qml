// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick 2.15

// The two ornaments of the top corners, centred on (78, 93) and (923, 93).
Item {
    width: 1000
    height: 600

    Image {
        x: Math.round(78 - width / 2)
        y: Math.round(93 - height / 2)
        source: root.skinDir + "/frame/decoration1.png"
    }

    Image {
        x: Math.round(923 - width / 2)
        y: Math.round(93 - height / 2)
        source: root.skinDir + "/frame/decoration2.png"
    }
}
