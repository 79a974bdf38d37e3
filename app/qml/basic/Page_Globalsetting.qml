// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick 2.15

// The application-settings page in the settings panel. It owns the scene's appearance values,
// which the root publishes as its global properties, and applies the stored application
// configuration at start-up: skin, sound, animations, language (interface strings and key
// captions), background, text size, text colour and brightness.
Item {
    id: page

    property int _Size: 11
    property color _Color: "#FF00FFFF"
    property color _ColorEnable: "#FFAAAAAA"
    property color _ColorDisable: "#80FFFFFF"
    property int _AnimationSpeed: 800
    property var _StringList: _defaultStrings
    property string _FontFamily: _defaultStrings[0]
    property int skin_No: 1
    property bool isCustomBackground: false
    property url sourceCustomBackground: ""

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

    // The offered languages in list order: [code, name]. The configuration stores the index.
    readonly property var _languages: [
        ["031225", "English"], ["025044", "\u7B80\u4F53\u4E2D\u6587"], ["025208", "\u7E41\u9AD4\u4E2D\u6587"],
        ["042082", "Deutsch"], ["111197", "Espa\u00F1ol"], ["037074", "Fran\u00E7ais"],
        ["058106", "Italiano"], ["059108", "\u65E5\u672C\u8A9E"], ["066114", "\uD55C\uAD6D\uC5B4"],
        ["091173", "Portugu\u00EAs"], ["091030", "Portugu\u00EAs (Brasil)"], ["096178", "Pycck\u0438\u0439"],
        ["111246", "Espa\u00F1ol Latin"], ["029058", "Dansk"], ["036073", "Suomi"],
        ["085161", "Norsk"], ["114205", "Svenska"]
    ]

    // Text colour swatches [red, green, blue], the current one, and the brightness level 0..7.
    property var _swatches: [[0, 255, 255], [255, 200, 150], [255, 180, 0], [200, 200, 100],
                             [200, 170, 255], [255, 180, 180], [160, 190, 160]]
    property int _currentSwatch: 0
    property int _brightness: 7

    // Applies the stored configuration; an empty one applies nothing.
    function initUI() {
        var c = ui_View.loadApConfig()
        if (!c || c.length === 0)
            return
        skin_No = _number(c[1], 1) === 2 ? 2 : 1
        root.setSkin()
        var soundOn = _number(c[2], 1) === 0
        ui_View.setEnableAudio(soundOn)
        if (!soundOn)
            ui_View.clearAllMedia()
        _AnimationSpeed = _number(c[3], 1) === 0 ? 800 : 10
        applyLanguage(_number(c[4], 0))
        isCustomBackground = String(c[5]) === "true"
        sourceCustomBackground = c[6] !== undefined ? String(c[6]) : ""
        _Size = _number(c[7], 0) === 1 ? 12 : 11
        var swatches = []
        for (var i = 0; i < 7; ++i) {
            var rgb = []
            for (var k = 0; k < 3; ++k)
                rgb.push(Math.max(0, Math.min(255, _number(c[8 + i * 3 + k], 0))))
            swatches.push(rgb)
        }
        _swatches = swatches
        _currentSwatch = Math.max(0, Math.min(6, _number(c[29], 0)))
        _brightness = Math.max(0, Math.min(7, _number(c[30], 7)))
        _Color = _highlightColor()
    }

    // Relabels the page's own lists; none yet.
    function translateStrings() {
    }

    // Loads the interface strings of language `index` (an index outside the list loads the
    // first language) and relabels the scene. Strings that the language file leaves out or
    // leaves empty keep their English text (for the font family: Liberation Sans).
    function applyLanguage(index) {
        var language = _languages[index >= 0 && index < _languages.length ? index : 0]
        var strings = ui_View.getGlobalStrings(language[0])
        var merged = _defaultStrings.slice()
        for (var i = 0; i < merged.length && i < strings.length; ++i) {
            if (strings[i] !== "")
                merged[i] = strings[i]
        }
        _StringList = merged
        root.translateStrings(language[0])
        _FontFamily = merged[0]
    }

    // The current swatch at the brightness level's opacity, 45 + level x 30 of 255.
    function _highlightColor() {
        var rgb = _swatches[_currentSwatch]
        return Qt.rgba(rgb[0] / 255, rgb[1] / 255, rgb[2] / 255, (45 + _brightness * 210 / 7) / 255)
    }

    // A configuration value as an integer; stored values come back as text.
    function _number(value, fallback) {
        var n = parseInt(value, 10)
        return isNaN(n) ? fallback : n
    }

    width: 340
    height: 420

    Image {
        source: root.skinDir + "/list_center/globalsettingBackground.png"
    }
}
