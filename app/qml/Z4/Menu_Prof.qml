// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick 2.15

// The profile menu: ten entries P01 .. P10 for the keyboard's profiles 0..9, entry 0 current at
// start. A left click on another entry makes it current and emits profileSwitched. A right
// click opens the entry's context menu: LOAD (import into the profile), SAVE (export), RESET
// (back to the default profile) and CANCEL. LOAD and RESET of the current profile emit
// profileSwitched again, so that the pages show the new content.
Image {
    id: menu

    property int currentIndex: 0

    signal profileSwitched(int profile)

    function translateStrings() {
        for (var i = 0; i < actions.count; ++i)
            actions.setProperty(i, "name", root.globalSetting_stringList[actions.get(i).stringIndex])
    }

    // Opens the context menu of `profile` at the click point (x, y) inside its entry.
    function openContext(profile, x, y) {
        if (contextFadeOut.running)
            contextFadeOut.complete()
        context.profile = profile
        context.x = x - context.width
        context.y = profile * 26 + y + 85
        context.visible = true
        contextFadeIn.restart()
    }

    function chooseAction(action) {
        if (contextFadeOut.running)
            return
        if (contextFadeIn.running)
            contextFadeIn.complete()
        context.action = action
        contextFadeOut.start()
    }

    function _runAction(action, profile) {
        switch (action) {
        case 0:
            ui_View.loadProfile(profile)
            break
        case 1:
            ui_View.saveProfile(profile)
            return
        case 2:
            ui_View.resetProfile(profile)
            break
        default:
            return
        }
        if (profile === currentIndex)
            profileSwitched(profile)
    }

    source: root.skinDir + "/list_pf/listPfContainer.png"

    ListModel {
        id: actions
        ListElement { name: "LOAD"; stringIndex: 84 }
        ListElement { name: "SAVE"; stringIndex: 85 }
        ListElement { name: "RESET"; stringIndex: 77 }
        ListElement { name: "CANCEL"; stringIndex: 78 }
    }

    Column {
        x: 23
        y: 97

        Repeater {
            model: 10

            Item {
                readonly property bool lit: index === menu.currentIndex || entryMouse.containsMouse

                width: 49
                height: 26

                Image {
                    id: stateIcon
                    anchors.verticalCenter: parent.verticalCenter
                    source: root.skinDir + (parent.lit ? "/list_pf/profileFW_1.png" : "/list_pf/profileFW_0.png")
                }

                Text {
                    x: stateIcon.width + 2
                    anchors.verticalCenter: parent.verticalCenter
                    text: "P" + (index < 9 ? "0" : "") + (index + 1)
                    font.family: root.fixedFontFamily
                    font.pixelSize: root.globalSetting_size
                    font.bold: true
                    color: parent.lit ? root.globalSetting_color : root.globalSetting_color_enable
                }

                MouseArea {
                    id: entryMouse
                    anchors.fill: parent
                    hoverEnabled: true
                    acceptedButtons: Qt.LeftButton | Qt.RightButton
                    onClicked: function (mouse) {
                        if (mouse.button === Qt.RightButton) {
                            menu.openContext(index, mouse.x, mouse.y)
                        } else if (index !== menu.currentIndex) {
                            menu.currentIndex = index
                            menu.profileSwitched(index)
                        }
                    }
                }
            }
        }
    }

    Rectangle {
        id: context
        objectName: "profileContext"

        property int profile: 0
        property int action: -1

        width: 45
        height: contextColumn.height
        color: "#20000000"
        visible: false
        opacity: 0

        Column {
            id: contextColumn

            Repeater {
                model: actions

                Item {
                    width: 45
                    height: 20

                    Text {
                        anchors.centerIn: parent
                        text: name
                        font.family: root.globalSetting_fontFamily
                        font.pixelSize: root.globalSetting_size
                        font.bold: true
                        color: actionMouse.containsMouse ? root.globalSetting_color : root.globalSetting_color_enable
                    }

                    MouseArea {
                        id: actionMouse
                        anchors.fill: parent
                        hoverEnabled: true
                        onClicked: menu.chooseAction(index)
                    }
                }
            }
        }
    }

    NumberAnimation {
        id: contextFadeIn
        target: context
        property: "opacity"
        from: 0
        to: 1
        duration: 1.5 * root.animation_speed
        easing.type: Easing.OutExpo
    }

    // The chosen action runs when the menu has faded out.
    NumberAnimation {
        id: contextFadeOut
        target: context
        property: "opacity"
        from: 1
        to: 0
        duration: root.animation_speed
        easing.type: Easing.OutExpo
        onStopped: {
            context.visible = false
            menu._runAction(context.action, context.profile)
        }
    }
}
