// SPDX-License-Identifier: GPL-3.0-or-later
import QtQml 2.15
import QtQuick 2.15

// The keyboard's area: the function menu on the left, the profile menu on the right and the
// page area between them, which shows the page picked in the function menu. It keeps the key
// captions of the current language and passes key and device events to the pages.
Item {
    id: main

    LoggingCategory {
        id: sceneLog
        name: "tarvenix.scene"
        // Debug lines only when enabled explicitly (QT_LOGGING_RULES).
        defaultLogLevel: LoggingCategory.Info
    }

    // Key captions by position 0..125, and their pixel size.
    property var _ProductLayoutStringList: []
    property int _ProductLayoutStringSize: 11

    // The page area's current page: -1 none, 0 key definition, 1 macros, 2 lighting.
    readonly property int pageId: pageArea.pageId
    // Logged once the scene is built: the category exists only from then on.
    property bool _built: false
    Component.onCompleted: _built = true
    onPageIdChanged: if (_built) console.debug(sceneLog, "page", pageId)

    // Key definition, macros and lighting in this order; the keyboard mode last, because the
    // key definition page, which takes its answer (detectVendor), must be ready for it.
    function initUI() {
        page_Keydefine.initUI()
        page_Macro.initUI()
        page_Color.initUI()
        kernel.syncFW()
    }

    // Loads the key captions of language `code` and relabels the pages and menus.
    function translateStrings(code) {
        var captions = ui_View.getProductLayoutStrings(code)
        var size = parseInt(captions[0], 10)
        if (size > 0)
            _ProductLayoutStringSize = size
        _ProductLayoutStringList = captions.slice(1)
        page_Keydefine.translateStrings()
        page_Macro.translateStrings()
        page_Color.translateStrings()
        menu_Func.translateStrings()
        menu_Prof.translateStrings()
    }

    // Gives the keys of a model (its getKey list) the captions of the current language.
    function labelKeys(keys) {
        for (var position = 0; position < keys.length; ++position) {
            var caption = _ProductLayoutStringList[position]
            if (typeof caption === "string")
                keys[position].name = caption
        }
    }

    function setSkin() {
        menu_Func.setSkin()
    }

    function detectKeyboard(isDown, usbCode) {
        page_Macro.detectKeyboard(isDown, usbCode)
        page_Color.detectKeyboard(isDown, usbCode)
    }

    function detectVendor(vendorCode) {
        page_Keydefine.detectVendor(vendorCode)
    }

    // The entry: both menus slide in from the sides, then the page area shows the function
    // menu's page.
    function startEntry() {
        entry.start()
    }

    // Switches the keyboard to `profile` and lets the pages that show profile data re-read it.
    function switchProfile(profile) {
        ui_View.ui_02H_SetCurrentProfile(profile)
        page_Keydefine.initUI()
        page_Color.initUI()
    }

    width: 1000
    height: 600

    Menu_Func {
        id: menu_Func
        objectName: "menu_Func"
        x: -150
        y: 180
        visible: false
        enabled: !root.isSettingsOpen
        opacity: enabled ? 1 : 0.2
        onFuncClicked: function (index) { pageArea.show(index) }
    }

    // Above the page area: its context menu opens to the left, over the pages.
    Menu_Prof {
        id: menu_Prof
        objectName: "menu_Prof"
        z: 1
        x: 1000
        y: 95
        visible: false
        enabled: !root.isSettingsOpen && pageArea.pageId !== 1
        opacity: enabled ? 1 : 0.2
        onProfileSwitched: function (profile) { main.switchProfile(profile) }
    }

    // Exactly the page whose number is pageId is visible. show() moves between pages with two
    // slides: the showing slide brings the pages in from the left, the hiding slide takes them
    // out to the left; a request during a slide completes that slide first.
    Item {
        id: pageArea
        objectName: "pageArea"

        property int pageId: -1
        // The page to show when the hiding slide ends; -1 while nothing is shown or to be shown.
        property int nextPage: -1

        function show(index) {
            ui_View.playMedia_Index(2)
            if (hideSlide.running) {
                nextPage = index
                hideSlide.complete()
            } else if (showSlide.running) {
                pageId = index
                showSlide.complete()
            } else if (index < 0) {
                nextPage = -1
                hideSlide.start()
            } else if (nextPage < 0) {
                nextPage = index
                pageId = index
                showSlide.start()
            } else {
                nextPage = index
                hideSlide.start()
            }
        }

        x: 171
        y: 96
        width: 759
        height: 442
        clip: true
        visible: false
        enabled: !root.isSettingsOpen
        opacity: enabled ? 1 : 0.2

        Item {
            id: pages
            objectName: "pages"
            x: -2 * pageArea.width
            width: pageArea.width
            height: pageArea.height

            Page_Keydefine {
                id: page_Keydefine
                objectName: "page_Keydefine"
                visible: pageArea.pageId === 0
            }

            Page_Macro {
                id: page_Macro
                objectName: "page_Macro"
                y: 46
                visible: pageArea.pageId === 1
            }

            Page_Color {
                id: page_Color
                objectName: "page_Color"
                visible: pageArea.pageId === 2
            }
        }

        NumberAnimation {
            id: showSlide
            objectName: "showSlide"
            target: pages
            property: "x"
            from: -2 * pageArea.width
            to: 0
            duration: 0.5 * root.animation_speed
            easing.type: Easing.OutCubic
        }

        NumberAnimation {
            id: hideSlide
            objectName: "hideSlide"
            target: pages
            property: "x"
            from: 0
            to: -2 * pageArea.width
            duration: 0.5 * root.animation_speed
            easing.type: Easing.InCubic
            onStopped: {
                pageArea.pageId = pageArea.nextPage
                if (pageArea.nextPage >= 0)
                    showSlide.start()
            }
        }
    }

    SequentialAnimation {
        id: entry

        ScriptAction {
            script: {
                menu_Prof.x = 1000
                menu_Func.x = -150
                menu_Prof.visible = true
                menu_Func.visible = true
            }
        }

        ParallelAnimation {
            NumberAnimation {
                target: menu_Prof
                property: "x"
                to: 1000 - menu_Prof.width - 8
                duration: root.animation_speed
                easing.type: Easing.OutElastic
            }
            NumberAnimation {
                target: menu_Func
                property: "x"
                to: 8
                duration: root.animation_speed
                easing.type: Easing.OutElastic
            }
        }

        ScriptAction {
            script: {
                pageArea.visible = true
                pageArea.pageId = menu_Func.currentIndex
                pageArea.nextPage = menu_Func.currentIndex
                showSlide.start()
            }
        }
    }
}
