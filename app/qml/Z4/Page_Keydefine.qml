// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick 2.15

// The key definition page: the on-screen keyboard whose keys get their functions here.
Item {
    // Reads the current profile's key definitions.
    function initUI() {
    }

    function translateStrings() {
        main_Z4.labelKeys(model.getKey)
    }

    // The keyboard's mode reports: 0x04050000 gaming mode off, 0x04050100 on.
    function detectVendor(vendorCode) {
    }

    width: 759
    height: 442

    Image {
        source: root.skinDir + "/list_center/fnKeydefineBackground.png"
    }

    Model_KeyDefine_Z4 {
        id: model
        x: 23
        y: 97
        labelSize: main_Z4._ProductLayoutStringSize
    }
}
