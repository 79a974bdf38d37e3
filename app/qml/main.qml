// SPDX-License-Identifier: GPL-3.0-or-later
import QtQml 2.15
import QtQuick 2.15
// Absolute, because the main window loads this file as "qrc:modules/qml/main.qml", against
// which relative directory imports do not resolve.
import "qrc:/modules/qml/basic"
import "qrc:/modules/qml/Z4"

// The main scene: background layers, logo, top and bottom bars, the keyboard's area and the
// settings panel. The native side calls initUI(), run(), detectKeyboard(), detectMouse() and
// detectVendor(); the scene calls ui_View (data and device), ui_Ctl (window) and kernel.
// Invisible until run() starts the start-up animation.
Item {
    id: root

    LoggingCategory {
        id: sceneLog
        name: "tarvenix.scene"
        // Debug lines only when enabled explicitly (QT_LOGGING_RULES).
        defaultLogLevel: LoggingCategory.Info
    }

    // The global look, owned by the application-settings page.
    property alias globalSetting_size: page_Globalsetting._Size
    property alias globalSetting_color: page_Globalsetting._Color
    property alias globalSetting_color_enable: page_Globalsetting._ColorEnable
    property alias globalSetting_color_disable: page_Globalsetting._ColorDisable
    property alias animation_speed: page_Globalsetting._AnimationSpeed
    property alias globalSetting_stringList: page_Globalsetting._StringList
    property alias globalSetting_fontFamily: page_Globalsetting._FontFamily
    property alias skin_No: page_Globalsetting.skin_No
    property alias isCustomBackground: page_Globalsetting.isCustomBackground
    property alias sourceCustomBackground: page_Globalsetting.sourceCustomBackground

    // Every picture but the busy indicator's is read from the skin's folder below the working
    // directory, so switching skins swaps them all at once.
    readonly property string skinDir: "file:modules/img/skin" + skin_No
    // Texts that keep their font whatever the language: Liberation Sans, the metric-compatible
    // stand-in for Arial.
    readonly property string fixedFontFamily: "Liberation Sans"

    property bool isSettingsOpen: false

    // Start-up: the application settings first, because they load the interface strings and
    // key captions that the pages need.
    function initUI() {
        page_Globalsetting.initUI()
        main_Z4.initUI()
    }

    function run() {
        startAnimation.start()
    }

    function detectKeyboard(isDown, usbCode) {
        main_Z4.detectKeyboard(isDown, usbCode)
    }

    // Mouse buttons are reported too, but nothing in the scene uses them.
    function detectMouse(isDown, code, x, y) {
    }

    function detectVendor(vendorCode) {
        main_Z4.detectVendor(vendorCode)
    }

    // After skin_No changed: the pictures stored in lists follow; the others are bound to it.
    function setSkin() {
        menu_Down.setSkin()
        main_Z4.setSkin()
    }

    // After the interface strings of language `code` were loaded.
    function translateStrings(code) {
        page_Globalsetting.translateStrings()
        main_Z4.translateStrings(code)
    }

    // Points the icon pictures of a list (entries with iconName, icon0, icon1) to the current
    // skin's `folder`.
    function repointIcons(list, folder) {
        for (var i = 0; i < list.count; ++i) {
            var base = skinDir + folder + list.get(i).iconName
            list.setProperty(i, "icon0", base + "_0.png")
            list.setProperty(i, "icon1", base + "_1.png")
        }
    }

    // The current language's name of a USB keyboard usage: the caption of the key position
    // that has this usage. Undefined when the usage has no position or the position no caption.
    function keyDisplayName(usage) {
        var position = keyCodeString.keycodeTomatrix(usage)
        if (position === undefined)
            return undefined
        var caption = main_Z4._ProductLayoutStringList[position]
        return typeof caption === "string" && caption !== "" ? caption : undefined
    }

    // Opens or closes the settings panel. A request during the opposite slide completes that
    // slide first.
    function showSettings(open) {
        if (open === isSettingsOpen)
            return
        isSettingsOpen = open
        console.debug(sceneLog, "settings", open ? "open" : "closed")
        if (open) {
            if (settingsCloseSlide.running)
                settingsCloseSlide.complete()
            settingsPanel.visible = true
            settingsOpenSlide.start()
        } else {
            if (settingsOpenSlide.running)
                settingsOpenSlide.complete()
            settingsCloseSlide.start()
        }
    }

    width: 1000
    height: 600
    visible: false
    clip: true

    KeyCodeString {
        id: keyCodeString
    }

    // Dragging the background moves the window by the pointer's offset from the press point.
    MouseArea {
        anchors.fill: parent
        property point pressPoint
        onPressed: function (mouse) { pressPoint = Qt.point(mouse.x, mouse.y) }
        onPositionChanged: function (mouse) {
            ui_Ctl.onXChanged(mouse.x - pressPoint.x)
            ui_Ctl.onYChanged(mouse.y - pressPoint.y)
        }
    }

    Environment {
        id: environment
        opacity: 0
    }

    Environment_Decoration {
        id: decoration
        opacity: 0
    }

    Image {
        id: logo
        objectName: "logo"
        x: Math.round((root.width - width) / 2)
        y: 270
        opacity: 0
        source: root.skinDir + (logoMouse.containsMouse ? "/frame/web_1.png" : "/frame/web_0.png")

        MouseArea {
            id: logoMouse
            anchors.fill: parent
            hoverEnabled: true
            onClicked: ui_View.playMedia_Index(3)
        }
    }

    Main_Z4 {
        id: main_Z4
        objectName: "main_Z4"
        visible: menu_Down.currentIndex === 0
    }

    Menu_Down {
        id: menu_Down
        objectName: "menu_Down"
        x: Math.round((root.width - width) / 2)
        y: 600
        enabled: !root.isSettingsOpen
        opacity: enabled ? 1 : 0.2
    }

    Menu_Up {
        id: menu_Up
        objectName: "menu_Up"
        x: Math.round((root.width - width) / 2)
        y: -600
        settingsOpen: root.isSettingsOpen
        onSettingsClicked: {
            ui_View.playMedia_Index(2)
            root.showSettings(!root.isSettingsOpen)
        }
        onCloseClicked: {
            if (!closeAnimation.running)
                closeAnimation.start()
        }
    }

    Item {
        id: settingsPanel
        objectName: "settingsPanel"
        x: 5
        y: 27
        width: 340
        height: 420
        clip: true
        visible: false

        Item {
            id: settingsContent
            objectName: "settingsContent"
            x: 340
            width: 340
            height: 420

            Page_Globalsetting {
                id: page_Globalsetting
            }
        }
    }

    NumberAnimation {
        id: settingsOpenSlide
        target: settingsContent
        property: "x"
        from: 340
        to: 0
        duration: 0.8 * root.animation_speed
        easing.type: Easing.OutCubic
    }

    NumberAnimation {
        id: settingsCloseSlide
        target: settingsContent
        property: "x"
        from: 0
        to: 340
        duration: 0.8 * root.animation_speed
        easing.type: Easing.OutCubic
        onStopped: settingsPanel.visible = false
    }

    SequentialAnimation {
        id: startAnimation

        ScriptAction {
            script: {
                ui_View.playMedia_Index(1)
                root.visible = true
            }
        }
        NumberAnimation {
            target: logo
            property: "opacity"
            from: 0
            to: 1
            duration: root.animation_speed
            easing.type: Easing.InCirc
        }
        NumberAnimation {
            target: logo
            property: "y"
            from: 270
            to: 4
            duration: 1.5 * root.animation_speed
            easing.type: Easing.OutExpo
        }
        NumberAnimation {
            targets: [environment, decoration]
            property: "opacity"
            from: 0
            to: 1
            duration: root.animation_speed
            easing.type: Easing.OutCirc
        }
        ScriptAction {
            script: {
                barsAnimation.start()
                main_Z4.startEntry()
            }
        }
    }

    ParallelAnimation {
        id: barsAnimation

        NumberAnimation {
            target: menu_Up
            property: "y"
            from: -600
            to: 0
            duration: root.animation_speed
            easing.type: Easing.OutElastic
        }
        NumberAnimation {
            target: menu_Down
            property: "y"
            from: 600
            to: 600 - menu_Down.height
            duration: root.animation_speed
            easing.type: Easing.OutElastic
        }
    }

    // The window closes when the scene has folded up.
    SequentialAnimation {
        id: closeAnimation

        NumberAnimation {
            target: root
            property: "height"
            from: 600
            to: 0
            duration: root.animation_speed
            easing.type: Easing.InOutCubic
        }
        ScriptAction {
            script: ui_Ctl.onMinimize()
        }
    }
}
