// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick 2.15
import QtTest 1.2

// The busy view's scene, on its own as the busy view shows it.
TestCase {
    id: testCase
    name: "BusyIndicator"
    // Its own visibility is what setBusy changes.
    visible: true

    function test_setBusy() {
        var component = Qt.createComponent("qrc:/modules/qml/basic/BusyIndicator.qml")
        compare(component.status, Component.Ready, component.errorString())
        var busy = createTemporaryObject(component, testCase)
        verify(!busy.visible)
        var picture = busy.children[0]
        var label = busy.children[1]
        compare([picture.width, picture.height], [24, 24])
        compare(picture.status, Image.Ready)
        compare(label.text, "LOADING ...")
        compare(busy.width, 24 + 5 + label.width)
        verify(busy.height >= 24)
        busy.setBusy(true)
        verify(busy.visible)
        tryVerify(function () { return picture.rotation > 0 })
        busy.setBusy(false)
        verify(!busy.visible)
    }
}
