// SPDX-License-Identifier: GPL-3.0-or-later
.pragma library

// The rules of the macro page, on plain values: the step texts of a macro file, where new
// steps go, the clipboard, the delay field and recording. The page applies what these answer
// to its lists and calls the bridge; nothing here touches an item.
//
// A step is {value, command}. Its stored text is the value followed by a command field of
// exactly ten characters, right-aligned with blanks: "A    [Down]", "A      [Up]",
// "300   [Delay]". The value of a key step is the key's language-independent label.

var pressCommand = "    [Down]"
var releaseCommand = "      [Up]"
var delayCommand = "   [Delay]"
var commandLength = 10

// A recording saves the macro once when it holds this many steps; later steps are only listed.
var recordingCap = 95
var maxDelay = 65535
var initialDelay = 1000

function step(value, command) {
    return { value: value, command: command }
}

function stepText(s) {
    return s.value + s.command
}

// The command is the last ten characters, the value everything before them.
function parseStep(text) {
    text = String(text)
    var cut = Math.max(0, text.length - commandLength)
    return step(text.slice(0, cut), text.slice(cut))
}

function isDelay(s) {
    return s.command === delayCommand
}

// What a row shows for a step: a delay's milliseconds; for a key, the display name that
// displayName(label) finds, or the stored label when the key has none in this layout, so that
// the row still says what the file holds.
function displayValue(s, displayName) {
    if (isDelay(s))
        return s.value
    var name = displayName(s.value)
    return name === undefined ? s.value : name
}

// Macro names from the library's file names: each without its last four characters (".bin"),
// in the order given.
function macroNames(fileNames) {
    var names = []
    for (var i = 0; i < fileNames.length; ++i) {
        var file = String(fileNames[i])
        names.push(file.slice(0, Math.max(0, file.length - 4)))
    }
    return names
}

// Where new steps go in a list of `count`: before the selected step, at the end with none.
function insertionIndex(count, selected) {
    return selected >= 0 && selected < count ? selected : count
}

// The selection after `added` steps went in at `index`: the selected step moves along with
// them, so steps added one after another keep their order before it.
function selectionAfterInsert(selected, index, added) {
    return selected >= 0 && selected >= index ? selected + added : selected
}

// A key's press, then its release.
function keySteps(label) {
    return [step(label, pressCommand), step(label, releaseCommand)]
}

function delayStep(milliseconds) {
    return step(String(milliseconds), delayCommand)
}

// The delay field's text as a number 0..65535 (one to five digits), or undefined when it is
// none: the field then keeps its previous value.
function parseDelay(text) {
    text = String(text)
    if (!/^[0-9]{1,5}$/.test(text))
        return undefined
    var value = parseInt(text, 10)
    return value <= maxDelay ? value : undefined
}

// A measured pause as a delay step can hold it: whole milliseconds, 1..65535.
function clampDelay(milliseconds) {
    return Math.max(1, Math.min(maxDelay, Math.round(milliseconds)))
}

// The clipboard holds one step's stored text, empty when nothing is held. A cut step is
// pasted once; a copied one as often as the user likes.
function emptyClipboard() {
    return { text: "", singleUse: false }
}

function cutClipboard(s) {
    return { text: stepText(s), singleUse: true }
}

function copyClipboard(s) {
    return { text: stepText(s), singleUse: false }
}

function clipboardAfterPaste(clipboard) {
    return clipboard.singleUse ? emptyClipboard() : clipboard
}

function isClipboardEmpty(clipboard) {
    return clipboard.text === ""
}

// One recording, from Record to Stop. record(event) takes a key step and answers the steps to
// append, in order, as [{step, save}]: `save` marks the step that fills the macro to the cap,
// after which the page saves at once. Steps after the cap are not counted and never marked.
//
// With `withDelays`, every event after the first is preceded by a delay step with the
// milliseconds since the previous event (clock() in milliseconds, clamped to 1..65535); delay
// steps count towards the cap like key steps.
function Recording(withDelays, clock) {
    this.withDelays = withDelays
    this.clock = clock
    this.count = 0
    this.capped = false
    this.lastTime = undefined
}

Recording.prototype.record = function (event) {
    var steps = []
    if (this.withDelays) {
        var now = this.clock()
        if (this.lastTime !== undefined)
            steps.push(delayStep(clampDelay(now - this.lastTime)))
        this.lastTime = now
    }
    steps.push(event)
    var out = []
    for (var i = 0; i < steps.length; ++i) {
        var save = false
        if (!this.capped) {
            this.count += 1
            if (this.count === recordingCap) {
                this.capped = true
                save = true
            }
        }
        out.push({ step: steps[i], save: save })
    }
    return out
}

// Ends the recording; true when the page must save now, false when the cap already saved it.
Recording.prototype.stop = function () {
    var mustSave = !this.capped
    this.count = 0
    this.capped = false
    this.lastTime = undefined
    return mustSave
}
