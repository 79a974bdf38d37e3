// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick 2.15
import QtTest 1.2

// Applying the stored application configuration at start-up: the scene's global look; and
// what the settings page's controls ask of the bridge.
SceneTestCase {
    name: "Page_Globalsetting"

    // A scene with the configuration `config` applied (and the language's strings `strings`,
    // if given) and the settings panel open.
    function openPanel(config, strings) {
        var scene = createScene(10)
        callLog.setReply("ui_View.loadApConfig", config)
        if (strings)
            callLog.setReply("ui_View.getGlobalStrings", strings)
        scene.initUI()
        scene.showSettings(true)
        tryCompare(findNamed(scene, "settingsContent"), "x", 0)
        callLog.clear()
        return scene
    }

    // A click at the panel's own coordinates (the panel's corner is at 5, 27).
    function clickPanel(scene, x, y) {
        mouseClick(scene, 5 + x, 27 + y)
    }

    // The stored list: version, skin, sound (0 on), animations (0 on), language index, user
    // background shown and its picture, text size (0 normal), seven swatches, the current
    // swatch, the brightness level.
    function configuration(skin, sound, animations, language, background, picture, size, swatch, brightness) {
        return [1, skin, sound, animations, language, background, picture, size,
                158, 158, 158, 255, 200, 150, 255, 180, 0, 200, 200, 100,
                200, 170, 255, 255, 180, 180, 160, 190, 160, swatch, brightness]
    }

    // A picture that exists, as the settings page stores it: "file:" and its path.
    readonly property string picture: Qt.resolvedUrl("../../modules/img/skin2/background.png")

    function test_apply_data() {
        return [
            { tag: "sound and animations on", config: configuration(1, 0, 0, 0, false, "", 0, 0, 7),
              skin: 1, audio: true, speed: 800, language: "031225", background: false, picture: "",
              size: 11, color: Qt.rgba(158 / 255, 158 / 255, 158 / 255, 1) },
            { tag: "everything else", config: configuration(2, 1, 1, 8, true, picture, 1, 2, 0),
              skin: 2, audio: false, speed: 10, language: "066114", background: true,
              picture: picture, size: 12, color: Qt.rgba(1, 180 / 255, 0, 45 / 255) },
            { tag: "read back as text",
              config: configuration("2", "1", "0", "16", "true", picture, "1", "6", "3").map(String),
              skin: 2, audio: false, speed: 800, language: "114205", background: true, picture: picture,
              size: 12, color: Qt.rgba(160 / 255, 190 / 255, 160 / 255, 135 / 255) },
            { tag: "language beyond the list", config: configuration(1, 0, 0, 17, "false", "", 0, 0, 7),
              skin: 1, audio: true, speed: 800, language: "031225", background: false, picture: "",
              size: 11, color: Qt.rgba(158 / 255, 158 / 255, 158 / 255, 1) }
        ]
    }

    function test_apply(data) {
        var scene = createScene()
        callLog.setReply("ui_View.loadApConfig", data.config)
        scene.initUI()
        compare(scene.skin_No, data.skin)
        compare(scene.skinDir, "file:modules/img/skin" + data.skin)
        compare(callLog.argumentsOf("ui_View.setEnableAudio"), [[data.audio]])
        compare(callLog.count("ui_View.clearAllMedia"), data.audio ? 0 : 1)
        compare(scene.animation_speed, data.speed)
        compare(callLog.argumentsOf("ui_View.getGlobalStrings"), [[data.language]])
        compare(scene.isCustomBackground, data.background)
        compare(String(scene.sourceCustomBackground), data.picture)
        compare(scene.globalSetting_size, data.size)
        compare(String(scene.globalSetting_color), String(data.color))
    }

    function test_emptyConfigurationAppliesNothing() {
        var scene = createScene()
        callLog.setReply("ui_View.loadApConfig", [])
        scene.initUI()
        // Apart from the pages reading the profile and the macro files.
        var pageReads = ["ui_View.getMacroIniNames", "ui_View.getKeydefine",
                         "ui_View.ui_92H_GetUserPicture", "ui_View.ui_88H_GetLEDType"]
        compare(callLog.names().filter(function (name) { return pageReads.indexOf(name) < 0 }),
                ["ui_View.loadApConfig", "kernel.syncFW"])
        compare(scene.globalSetting_size, 11)
        compare(String(scene.globalSetting_color), String(Qt.rgba(0, 1, 1, 1)))
        compare(scene.animation_speed, 800)
        compare(scene.globalSetting_fontFamily, "Liberation Sans")
        compare(scene.globalSetting_stringList.length, 86)
        compare(scene.globalSetting_stringList[85], "SAVE")
        compare(findNamed(scene, "languageItems").count, 0)
    }

    // What the language file supplies, and what the scene then uses.
    function test_languageStrings_data() {
        var full = ["Noto Sans CJK JP"]
        for (var i = 1; i < 86; ++i)
            full.push("T" + i)
        return [
            { tag: "complete", reply: full, family: "Noto Sans CJK JP", string1: "T1", string85: "T85" },
            { tag: "short", reply: ["Noto Sans CJK KR", "T1"], family: "Noto Sans CJK KR", string1: "T1",
              string85: "SAVE" },
            { tag: "missing file", reply: [""], family: "Liberation Sans", string1: "OPTIONS", string85: "SAVE" }
        ]
    }

    function test_languageStrings(data) {
        var scene = createScene()
        callLog.setReply("ui_View.loadApConfig", configuration(1, 0, 0, 7, false, "", 0, 0, 7))
        callLog.setReply("ui_View.getGlobalStrings", data.reply)
        scene.initUI()
        compare(scene.globalSetting_fontFamily, data.family)
        compare(scene.globalSetting_stringList.length, 86)
        compare(scene.globalSetting_stringList[1], data.string1)
        compare(scene.globalSetting_stringList[85], data.string85)
    }

    // The sound list's entries at 78 + 22 x row under its head at y 55.
    function test_soundChoice_data() {
        return [
            { tag: "ON", row: 0, calls: ["ui_View.setEnableAudio", "ui_View.playMedia_Index"],
              arguments: [[true], [0]] },
            { tag: "OFF", row: 1, calls: ["ui_View.setEnableAudio", "ui_View.clearAllMedia"],
              arguments: [[false], []] }
        ]
    }

    function test_soundChoice(data) {
        var scene = openPanel(configuration(1, data.row === 0 ? 1 : 0, 0, 0, false, "", 0, 0, 7))
        var list = findNamed(scene, "soundList")
        clickPanel(scene, 200, 66)
        tryCompare(list, "isSelect", true)
        callLog.clear()
        clickPanel(scene, 200, 89 + data.row * 22)
        compare(callLog.names(), data.calls)
        compare(callLog.argumentsOf(data.calls[0]), [data.arguments[0]])
        compare(callLog.argumentsOf(data.calls[1]), [data.arguments[1]])
    }

    // The lists' entries follow the language; texts bound to the strings follow by themselves.
    function test_translateRelabelsTheLists() {
        var strings = ["Noto Sans CJK JP"]
        for (var i = 1; i < 86; ++i)
            strings.push("T" + i)
        var scene = openPanel(configuration(2, 1, 0, 7, false, "", 0, 0, 7), strings)
        compare(findNamed(scene, "soundList").headText, "T32")
        compare(findNamed(scene, "animationList").headText, "T31")
        compare(findNamed(scene, "skinList").headText, "T40")
        compare(findNamed(scene, "backgroundToggle").text, "\u3010 T32 \u3011")
    }

    // Reset stores the factory values, applies what is stored, and then asks for sound 0; the
    // panel stays open.
    function test_reset() {
        var stored = configuration(1, 1, 1, 0, false, "", 0, 0, 7)
        var scene = openPanel(configuration(2, 0, 0, 7, false, "", 1, 3, 2))
        callLog.setReply("ui_View.loadApConfig", stored)
        clickPanel(scene, 251, 384)
        var names = callLog.names()
        compare(names.slice(0, 4), ["ui_View.playMedia_Index", "ui_View.saveApConfig", "ui_View.loadApConfig",
                                    "ui_View.setEnableAudio"])
        compare(callLog.argumentsOf("ui_View.saveApConfig"), [[stored]])
        compare(names[names.length - 1], "ui_View.playMedia_Index")
        compare(callLog.argumentsOf("ui_View.playMedia_Index"), [[4], [0]])
        compare(callLog.argumentsOf("ui_View.getGlobalStrings"), [["031225"]])
        verify(scene.isSettingsOpen)
        compare(scene.skin_No, 1)
        compare(scene.animation_speed, 10)
    }
}
