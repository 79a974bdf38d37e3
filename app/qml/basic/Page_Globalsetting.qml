// SPDX-License-Identifier: GPL-3.0-or-later
import QtQml 2.15
import QtQuick 2.15
import "../common"
import "GlobalSettings.js" as GlobalSettings

// The application-settings page in the settings panel: sound, animations, language, a
// background picture of the user's, and the size, colour and brightness of the highlight text.
// It owns the scene's appearance values, which the root publishes as its global properties.
// Every choice takes effect at once; Apply stores them all and closes the panel, Reset stores
// and applies the factory values. At start-up initUI() applies the stored configuration.
Item {
    id: page
    objectName: "page_Globalsetting"

    LoggingCategory {
        id: sceneLog
        name: "tarvenix.scene"
        // Debug lines only when enabled explicitly (QT_LOGGING_RULES).
        defaultLogLevel: LoggingCategory.Info
    }

    property int _Size: _sizeIndex === 1 ? 12 : 11
    property color _Color: GlobalSettings.highlightColor(_swatches[_currentSwatch], _brightness)
    property color _ColorEnable: "#FFAAAAAA"
    property color _ColorDisable: "#80FFFFFF"
    property int _AnimationSpeed: 800
    property var _StringList: _defaultStrings
    property string _FontFamily: _defaultStrings[0]
    property int skin_No: 1
    property bool isCustomBackground: false
    property url sourceCustomBackground: GlobalSettings.pictureUrl(_picture)

    // The interface strings in English, indexed as the language files number them; entry 0 is
    // the font family.
    readonly property var _defaultStrings: [
        "Liberation Sans", "OPTIONS", "LOOP", "SPEED", "BRIGHTNESS", "DIRECTION", "PAINTING", "EFFECTS",
        "USER DEFINE", "USER DEFINE 2", "USER DEFINE 3", "USER DEFINE 4", "USER DEFINE 5",
        "STATIC", "BREATHING", "WAVE", "INDUCTION DARKEN", "MARQUEE", "RIPPLE", "INDUCTION BRIGHTEN",
        "NEON", "MARQUEE COLORFUL", "RAINDROP", "MARQUEE CIRCLE", "SPOTLIGHT", "ROTATION",
        "SKIN", "SOUND", "ANIMATED", "LANGUAGE", "BACKGROUND", "ON", "OFF", "TEXT", "SIZE", "COLOR",
        "BRIGHTNESS", "NORMAL", "LARGER", "SKIN 1", "SKIN 2", "SKIN 3", "SKIN 4", "SKIN 5",
        "MACRO", "ACTION", "KEYBOARD", "MOUSE", "MEDIA", "COMBO KEY", "MACRO",
        "LEFT", "RIGHT", "MIDDLE", "B4", "B5",
        "NEXT TRACK", "PREVIOUS TRACK", "STOP", "PLAY / PAUSE", "MUTE", "VOLUME UP", "VOLUME DOWN",
        "MEDIA SELECT", "MAIL", "CALCULATOR", "MY COMPUTER", "WWW SEARCH", "WWW HOME", "WWW BACK",
        "WWW FORWARD", "WWW STOP", "WWW REFRESH", "WWW FAVORITES",
        "KEY", "MACRO", "COLOR", "RESET", "CANCEL", "GAMING MODE", "DELETE", "CUT", "PASTE", "COPY",
        "LOAD", "SAVE"
    ]

    // The page's state, as the stored list keeps it (GlobalSettings.js). Sound and animations
    // start as the bridge and the scene do: on.
    property int _sound: 0
    property int _animations: 0
    // The language in use; the list may show no choice.
    property int _languageIndex: 0
    property string _picture: ""
    property int _sizeIndex: 0
    property var _swatches: GlobalSettings.initialSwatches()
    property int _currentSwatch: 0
    property int _brightness: 7

    // The control column, and the strip of the colour bar.
    readonly property int controlX: 139
    readonly property int colorBarLength: 96

    // Applies the stored configuration; an empty one applies nothing.
    function initUI() {
        var c = ui_View.loadApConfig()
        if (!c || c.length === 0)
            return
        var state = GlobalSettings.fromList(c)
        skin_No = state.skin
        root.setSkin()
        _sound = state.sound
        _enableSound(state.sound === 0)
        chooseAnimations(state.animations)
        languageItems.clear()
        for (var i = 0; i < GlobalSettings.languages.length; ++i)
            languageItems.append({textX: GlobalSettings.languages[i][1], textR: ""})
        applyLanguage(state.language)
        _picture = state.picture
        isCustomBackground = state.background
        _sizeIndex = state.size
        _swatches = state.swatches
        _currentSwatch = state.currentSwatch
        _brightness = state.brightness
        _showState()
    }

    // Relabels the page's own lists in the current language.
    function translateStrings() {
        for (var i = 0; i < 2; ++i) {
            var onOff = root.globalSetting_stringList[31 + i]
            soundItems.setProperty(i, "textX", onOff)
            animationItems.setProperty(i, "textX", onOff)
            skinItems.setProperty(i, "textX", root.globalSetting_stringList[39 + i])
        }
    }

    // Loads the interface strings of language `index` and relabels the scene. Strings that the
    // language file leaves out or leaves empty keep their English text (for the font family:
    // Liberation Sans).
    function applyLanguage(index) {
        var code = GlobalSettings.languages[index][0]
        var strings = ui_View.getGlobalStrings(code)
        var merged = _defaultStrings.slice()
        for (var i = 0; i < merged.length && i < strings.length; ++i) {
            if (strings[i] !== "")
                merged[i] = strings[i]
        }
        console.debug(sceneLog, "language", code)
        _languageIndex = index
        _StringList = merged
        root.translateStrings(code)
        _FontFamily = merged[0]
    }

    // A choice in the language list; -1 (the chosen one clicked again) keeps the language.
    function chooseLanguage(index) {
        if (index >= 0)
            applyLanguage(index)
    }

    function chooseSound(index) {
        _sound = index
        _enableSound(index === 0)
        if (index === 0)
            ui_View.playMedia_Index(0)
    }

    function chooseAnimations(index) {
        _animations = index
        _AnimationSpeed = index === 0 ? 800 : 10
    }

    function chooseSkin(index) {
        skin_No = index + 1
        root.setSkin()
    }

    // Off: asks for a picture, and shows it when one was chosen. On: back to the skin's.
    function toggleBackground() {
        if (isCustomBackground) {
            isCustomBackground = false
            _picture = ""
            return
        }
        var path = ui_View.getCustomFilePath()
        if (path === "")
            return
        _picture = "file:" + path
        isCustomBackground = true
    }

    function chooseSize(index) {
        _sizeIndex = index
    }

    function chooseSwatch(index) {
        _currentSwatch = index
        _showColor()
    }

    function pressColorBar(x) {
        _setColor(GlobalSettings.colorBarColor(x, colorBarLength))
    }

    // The R, G, B fields' values into the current swatch.
    function takeColorFields() {
        var rgb = []
        for (var k = 0; k < 3; ++k)
            rgb.push(GlobalSettings.colorFieldValue(controls.item.colorFields.itemAt(k).text))
        _setColor(rgb)
    }

    function chooseBrightness(level) {
        _brightness = level
    }

    function apply() {
        _endEditing()
        ui_View.saveApConfig(GlobalSettings.toList({
            skin: skin_No, sound: _sound, animations: _animations, language: _languageIndex,
            background: isCustomBackground, picture: _picture, size: _sizeIndex,
            swatches: _swatches, currentSwatch: _currentSwatch, brightness: _brightness
        }))
        root.showSettings(false)
    }

    function reset() {
        _endEditing()
        ui_View.saveApConfig(GlobalSettings.resetList())
        initUI()
        ui_View.playMedia_Index(0)
    }

    function _enableSound(on) {
        ui_View.setEnableAudio(on)
        if (!on)
            ui_View.clearAllMedia()
    }

    // The current swatch takes `rgb`; the highlight colour follows.
    function _setColor(rgb) {
        var swatches = _swatches.slice()
        swatches[_currentSwatch] = rgb
        _swatches = swatches
        _showColor()
    }

    // The controls, once made, show the state: the lists' choices, the slider's level, the
    // fields' texts.
    function _showState() {
        var shown = controls.item
        if (!shown)
            return
        shown.skinList.setCurIndex(skin_No - 1)
        shown.soundList.setCurIndex(_sound)
        shown.animationList.setCurIndex(_animations)
        shown.languageList.setCurIndex(_languageIndex)
        shown.brightnessSlider.setCurIndex(_brightness)
        _showColor()
    }

    function _showColor() {
        if (!controls.item)
            return
        for (var k = 0; k < 3; ++k)
            controls.item.colorFields.itemAt(k).text = String(_swatches[_currentSwatch][k])
    }

    // A colour field being edited takes effect, as when it loses the focus.
    function _endEditing() {
        if (controls.item)
            controls.item.colorFieldScope.focus = false
    }

    width: 340
    height: 420

    // The lists' entries; translateStrings() relabels the first three. The languages are
    // filled when a configuration is applied.
    ListModel {
        id: skinItems
        ListElement { textX: "SKIN 1" }
        ListElement { textX: "SKIN 2" }
    }
    ListModel {
        id: soundItems
        ListElement { textX: "ON" }
        ListElement { textX: "OFF" }
    }
    ListModel {
        id: animationItems
        ListElement { textX: "ON" }
        ListElement { textX: "OFF" }
    }
    ListModel {
        id: languageItems
        objectName: "languageItems"
    }

    // The controls are made when the panel first shows: until then the page only holds the
    // scene's values, and the start costs neither their items nor the fonts of the languages'
    // own names.
    onVisibleChanged: if (visible) controls.active = true

    Loader {
        id: controls
        active: false
        sourceComponent: panelControls
        onLoaded: page._showState()
    }

    Component {
        id: panelControls

        Item {
            // What the page's functions show its state on.
            property alias skinList: skinList
            property alias soundList: soundList
            property alias animationList: animationList
            property alias languageList: languageList
            property alias brightnessSlider: brightnessSlider
            property alias colorFields: colorFields
            property alias colorFieldScope: colorFieldScope

            width: 340
            height: 420

            Image {
                source: root.skinDir + "/list_center/globalsettingBackground.png"
            }

            // The labels, bold, 20 pixels left of their controls: [string index, top,
            // height, shown].
            Repeater {
                model: [[26, 22, 23, false], [27, 55, 23, true], [28, 88, 23, true],
                        [29, 121, 23, true], [30, 154, 23, true], [34, 222, 15, true],
                        [35, 250, 31, true], [36, 337, 23, true]]

                Text {
                    x: 0
                    y: modelData[1]
                    width: page.controlX - 20
                    height: modelData[2]
                    visible: modelData[3]
                    horizontalAlignment: Text.AlignRight
                    verticalAlignment: Text.AlignVCenter
                    text: root.globalSetting_stringList[modelData[0]]
                    font.family: root.globalSetting_fontFamily
                    font.pixelSize: root.globalSetting_size
                    font.bold: true
                    color: root.globalSetting_color_enable
                }
            }

            // The TEXT box: SIZE, COLOR and BRIGHTNESS, framed by lines.
            Item {
                id: textBox
                x: 27
                y: 190
                width: 270
                height: 176

                Rectangle {
                    anchors.fill: parent
                    color: "transparent"
                    border.width: 1
                    border.color: root.globalSetting_color_disable
                }

                Text {
                    x: 10
                    y: 6
                    text: root.globalSetting_stringList[33]
                    font.family: root.globalSetting_fontFamily
                    font.pixelSize: root.globalSetting_size
                    font.bold: true
                    color: root.globalSetting_color
                }

                // NORMAL (11 pixels) and LARGER (12 pixels), 15 pixels apart.
                Row {
                    x: page.controlX - textBox.x
                    y: 32
                    spacing: 15

                    Repeater {
                        model: [37, 38]

                        Item {
                            id: sizeBox
                            objectName: "sizeBox" + index
                            readonly property bool lit: index === page._sizeIndex
                                                        || sizeMouse.containsMouse
                            width: sizeRow.width
                            height: 15

                            Row {
                                id: sizeRow
                                spacing: 4

                                Image {
                                    source: root.skinDir + (sizeBox.lit ? "/common/checkbox_1.png"
                                                                        : "/common/checkbox_0.png")
                                }

                                // At most 49 pixels wide, so that both fit in the box in every
                                // language: a longer text is drawn smaller.
                                Text {
                                    width: Math.min(implicitWidth, 49)
                                    height: 15
                                    verticalAlignment: Text.AlignVCenter
                                    fontSizeMode: Text.HorizontalFit
                                    minimumPixelSize: 8
                                    text: root.globalSetting_stringList[modelData]
                                    font.family: root.globalSetting_fontFamily
                                    font.pixelSize: root.globalSetting_size
                                    font.bold: true
                                    color: sizeBox.lit ? root.globalSetting_color
                                                       : root.globalSetting_color_enable
                                }
                            }

                            MouseArea {
                                id: sizeMouse
                                anchors.fill: parent
                                hoverEnabled: true
                                onClicked: page.chooseSize(index)
                            }
                        }
                    }
                }

                // The seven swatches, the current one with a bar above it.
                Row {
                    x: page.controlX - textBox.x
                    y: 60
                    spacing: 2

                    Repeater {
                        model: GlobalSettings.swatchCount

                        Image {
                            readonly property var rgb: page._swatches[index]
                            source: root.skinDir + "/common/draw_paletteIndex.png"

                            Rectangle {
                                y: -4
                                width: 19
                                height: 3
                                visible: index === page._currentSwatch
                                color: root.globalSetting_color
                            }

                            Rectangle {
                                x: 1
                                y: 7
                                width: 17
                                height: 17
                                visible: swatchMouse.containsMouse
                                color: "transparent"
                                border.width: 1
                                border.color: root.globalSetting_color
                            }

                            Rectangle {
                                x: 2
                                y: 8
                                width: 15
                                height: 15
                                color: Qt.rgba(parent.rgb[0] / 255, parent.rgb[1] / 255,
                                               parent.rgb[2] / 255, 1)
                            }

                            MouseArea {
                                id: swatchMouse
                                anchors.fill: parent
                                hoverEnabled: true
                                onClicked: page.chooseSwatch(index)
                            }
                        }
                    }
                }

                // The colour bar: its strip lies on the picture, 3 pixels in from every edge.
                Image {
                    x: page.controlX - textBox.x
                    y: 98
                    source: root.skinDir + "/common/draw_palette.png"

                    Rectangle {
                        x: 3
                        y: 3
                        width: page.colorBarLength
                        height: parent.height - 6
                        gradient: Gradient {
                            orientation: Gradient.Horizontal
                            GradientStop { position: 0; color: "#000000" }
                            GradientStop { position: 0.125; color: "#FF0000" }
                            GradientStop { position: 0.25; color: "#FFFF00" }
                            GradientStop { position: 0.375; color: "#00FF00" }
                            GradientStop { position: 0.5; color: "#00FFFF" }
                            GradientStop { position: 0.625; color: "#0000FF" }
                            GradientStop { position: 0.75; color: "#FF00FF" }
                            GradientStop { position: 0.875; color: "#FFFFFF" }
                            GradientStop { position: 1; color: "#000000" }
                        }

                        MouseArea {
                            anchors.fill: parent
                            onPressed: function (mouse) { page.pressColorBar(mouse.x) }
                        }
                    }
                }

                // "R ", "G ", "B ": 0..255 each, taken when a field loses the focus (Enter, Tab, Reset,
                // Apply).
                FocusScope {
                    id: colorFieldScope
                    x: page.controlX - textBox.x
                    y: 122
                    width: fieldRow.width
                    height: fieldRow.height

                    Row {
                        id: fieldRow
                        spacing: 3

                        Repeater {
                            id: colorFields
                            model: ["R ", "G ", "B "]

                            // The field itself is the repeated item, so that itemAt() is the field.
                            TextInput {
                                id: field
                                objectName: "colorField" + index
                                width: label.width + fieldBase.width
                                height: fieldBase.height
                                leftPadding: label.width + 5
                                verticalAlignment: TextInput.AlignVCenter
                                maximumLength: 3
                                validator: RegularExpressionValidator {
                                    regularExpression: GlobalSettings.colorFieldPattern
                                }
                                selectByMouse: true
                                font.family: root.globalSetting_fontFamily
                                font.pixelSize: root.globalSetting_size
                                font.bold: true
                                color: root.globalSetting_color_enable
                                selectionColor: root.globalSetting_color
                                Keys.onTabPressed: colorFields.itemAt((index + 1) % 3).forceActiveFocus()
                                Keys.onBacktabPressed: colorFields.itemAt((index + 2) % 3).forceActiveFocus()
                                Keys.onReturnPressed: colorFieldScope.focus = false
                                Keys.onEnterPressed: colorFieldScope.focus = false
                                onActiveFocusChanged: if (!activeFocus) page.takeColorFields()

                                Text {
                                    id: label
                                    height: parent.height
                                    verticalAlignment: Text.AlignVCenter
                                    text: modelData
                                    font: field.font
                                    color: root.globalSetting_color_enable
                                }

                                Image {
                                    id: fieldBase
                                    x: label.width
                                    z: -1
                                    source: root.skinDir + "/common/draw_inputValue.png"
                                }
                            }
                        }
                    }
                }

                Slider {
                    id: brightnessSlider
                    x: page.controlX - textBox.x
                    y: 147
                    onSliderClicked: function (index) { page.chooseBrightness(index) }
                }
            }

            // Reset and Apply, under the box's right end.
            Image {
                x: textBox.x + textBox.width - width
                y: textBox.y + textBox.height + 4
                source: root.skinDir + "/common/fram_2btn.png"

                Button_2state {
                    objectName: "globalsettingReset"
                    x: 3
                    y: 3
                    source0: root.skinDir + "/common/reset_0.png"
                    source1: root.skinDir + "/common/reset_1.png"
                    onClicked: page.reset()
                }

                Button_2state {
                    objectName: "globalsettingApply"
                    x: 32
                    y: 3
                    source0: root.skinDir + "/common/apply_0.png"
                    source1: root.skinDir + "/common/apply_1.png"
                    onClicked: page.apply()
                }
            }

            // The lists, raised above their neighbours while open. The skin list is never shown.
            DropdownList {
                id: skinList
                objectName: "skinList"
                x: page.controlX
                y: 22
                visible: false
                mdItems: skinItems
                onListElementClicked: function (index) { page.chooseSkin(index) }
            }

            DropdownList {
                id: soundList
                objectName: "soundList"
                x: page.controlX
                y: 55
                mdItems: soundItems
                onListOpened: z = 1
                onListClosed: z = 0
                onListElementClicked: function (index) { page.chooseSound(index) }
            }

            DropdownList {
                id: animationList
                objectName: "animationList"
                x: page.controlX
                y: 88
                mdItems: animationItems
                onListOpened: z = 1
                onListClosed: z = 0
                onListElementClicked: function (index) { page.chooseAnimations(index) }
            }

            FileListButton {
                id: languageList
                objectName: "languageList"
                x: page.controlX
                y: 121
                mdItems: languageItems
                onListOpened: z = 1
                onListClosed: z = 0
                onListElementClicked: function (index) { page.chooseLanguage(index) }
            }

            // 【 ON 】 while a picture of the user's is the background, else 【 OFF 】.
            Rectangle {
                x: page.controlX
                y: 154
                width: skinList.width
                height: skinList.height
                color: "#FF000000"

                Text {
                    objectName: "backgroundToggle"
                    x: 10
                    anchors.verticalCenter: parent.verticalCenter
                    text: "\u3010 " + root.globalSetting_stringList[page.isCustomBackground ? 31 : 32]
                          + " \u3011"
                    font.family: root.globalSetting_fontFamily
                    font.pixelSize: root.globalSetting_size
                    font.bold: true
                    color: backgroundMouse.containsMouse ? root.globalSetting_color
                                                         : root.globalSetting_color_enable
                }

                MouseArea {
                    id: backgroundMouse
                    anchors.fill: parent
                    hoverEnabled: true
                    onClicked: page.toggleBackground()
                }
            }
        }
    }
}
