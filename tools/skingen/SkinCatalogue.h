// SPDX-License-Identifier: GPL-3.0-or-later
// The pictures of a skin: path below modules/img/skin<N>/, size in pixels and what is drawn.
// The scene sizes every item that shows a picture from the picture itself, so these sizes are
// layout facts: they fit the coordinates of the main screen, its pages and its controls.
// Header only: the generator draws from this table and the image test checks the shipped tree
// against it.
#pragma once

namespace SkinCatalogue {

enum class Art {
    Background,     // window background, opaque
    Frame,          // window frame over the background, transparent inside
    Decoration,     // ornament; state 0 for the left one, 1 for its mirror image on the right
    Logo,           // the brand emblem (no lettering)
    TopBar,
    BottomBar,
    ProfilePanel,   // container of the ten profile entries (list at x 23, y 97, rows of 26)
    ProfileMarker,  // the state picture of one profile entry
    MenuButton,     // function-menu button plate
    Glyph,          // an icon on transparent ground
    Button,         // an icon on a button plate
    Page,           // background of a page or of the settings panel
    SliderBase,     // also the row picture of drop-down lists
    SliderFiller,   // one of the seven segments of a slider, or a steering-wheel cell
    ListLine,       // separator between list rows
    ListBase,       // ground of a dropped file list
    InputField,
    Swatch,         // one colour swatch cell
    PaletteFrame,   // frame of a colour bar; the bar is 6 pixels less high than the frame
    Checkbox,
    ButtonTray,     // holds the Reset and Apply buttons side by side
    KeyCap,         // state 0 the key cap, state 1 its highlight frame
    Busy,           // the busy indicator, turned by the scene
};

enum class Glyph {
    None,
    Gear,
    Close,
    Keyboard,
    KeyDefine,
    Macro,
    Lighting,
    Plus,
    Minus,
    Record,
    Stop,
    Trash,
    Scissors,
    Paste,
    Copy,
    Reset,
    Check,
};

// Where a picture's item lives in the scene, as far as it matters for drawing.
enum class Page { None, Settings, Color, KeyDefine, Macro };

struct Picture {
    const char *path;
    int width;
    int height;
    Art art;
    Glyph glyph;
    int state;      // 0 idle, 1 hovered or selected (see Art for the exceptions)
    int keyType;    // key type of the layout model for Art::KeyCap, else 0
    Page page;      // for Art::Page
};

inline constexpr int skinCount = 2;

// Key caps: 29 × 29 ordinary keys on a 31-pixel pitch; the others span the model's grid
// (Tab 39, Caps 48, left Shift 64, bottom modifiers 36, Space 192, right Shift 82, Backspace 55,
// keypad 0 two columns, tall keypad keys two rows, backslash 45, Enter 67).
inline constexpr Picture pictures[] = {
    {"background.png", 1000, 600, Art::Background, Glyph::None, 0, 0, Page::None},

    {"frame/frameBackground.png", 1000, 600, Art::Frame, Glyph::None, 0, 0, Page::None},
    {"frame/decoration1.png", 150, 40, Art::Decoration, Glyph::None, 0, 0, Page::None},
    {"frame/decoration2.png", 150, 40, Art::Decoration, Glyph::None, 1, 0, Page::None},
    {"frame/web_0.png", 200, 52, Art::Logo, Glyph::None, 0, 0, Page::None},
    {"frame/web_1.png", 200, 52, Art::Logo, Glyph::None, 1, 0, Page::None},

    {"list_up/listUpContainer.png", 1000, 27, Art::TopBar, Glyph::None, 0, 0, Page::None},
    {"list_up/applicationSetting_0.png", 22, 22, Art::Button, Glyph::Gear, 0, 0, Page::None},
    {"list_up/applicationSetting_1.png", 22, 22, Art::Button, Glyph::Gear, 1, 0, Page::None},
    {"list_up/applicationMinimize_0.png", 22, 22, Art::Button, Glyph::Close, 0, 0, Page::None},
    {"list_up/applicationMinimize_1.png", 22, 22, Art::Button, Glyph::Close, 1, 0, Page::None},

    // Icon row centred on the bar, first icon at x 323, y 13.
    {"list_dn/listDnContainer.png", 667, 47, Art::BottomBar, Glyph::None, 0, 0, Page::None},
    {"list_dn/iconKB_0.png", 21, 21, Art::Glyph, Glyph::Keyboard, 0, 0, Page::None},
    {"list_dn/iconKB_1.png", 21, 21, Art::Glyph, Glyph::Keyboard, 1, 0, Page::None},

    {"list_pf/listPfContainer.png", 76, 380, Art::ProfilePanel, Glyph::None, 0, 0, Page::None},
    {"list_pf/profileFW_0.png", 22, 22, Art::ProfileMarker, Glyph::None, 0, 0, Page::None},
    {"list_pf/profileFW_1.png", 22, 22, Art::ProfileMarker, Glyph::None, 1, 0, Page::None},

    {"list_fn/listFnBtn_0.png", 150, 37, Art::MenuButton, Glyph::None, 0, 0, Page::None},
    {"list_fn/listFnBtn_1.png", 150, 37, Art::MenuButton, Glyph::None, 1, 0, Page::None},
    {"list_fn/fnKeydefine_0.png", 25, 25, Art::Glyph, Glyph::KeyDefine, 0, 0, Page::None},
    {"list_fn/fnKeydefine_1.png", 25, 25, Art::Glyph, Glyph::KeyDefine, 1, 0, Page::None},
    {"list_fn/fnMacro_0.png", 25, 25, Art::Glyph, Glyph::Macro, 0, 0, Page::None},
    {"list_fn/fnMacro_1.png", 25, 25, Art::Glyph, Glyph::Macro, 1, 0, Page::None},
    {"list_fn/fnColor_0.png", 25, 25, Art::Glyph, Glyph::Lighting, 0, 0, Page::None},
    {"list_fn/fnColor_1.png", 25, 25, Art::Glyph, Glyph::Lighting, 1, 0, Page::None},

    // The settings panel is 340 × 420; the pages fill the 759 × 442 page area up to the
    // profile menu, and the macro page sits 46 pixels lower than the others.
    {"list_center/globalsettingBackground.png", 340, 420, Art::Page, Glyph::None, 0, 0, Page::Settings},
    {"list_center/fnColorBackground.png", 740, 442, Art::Page, Glyph::None, 0, 0, Page::Color},
    {"list_center/fnKeydefineBackground.png", 740, 442, Art::Page, Glyph::None, 0, 0, Page::KeyDefine},
    {"list_center/fnMacroBackground.png", 740, 396, Art::Page, Glyph::None, 0, 0, Page::Macro},

    // A slider's seven segments fill a 141 × 21 area at x 5, y 1, overlapping by one pixel.
    {"common/slider_BASE.png", 151, 23, Art::SliderBase, Glyph::None, 0, 0, Page::None},
    {"common/slider_FILLER_0.png", 21, 21, Art::SliderFiller, Glyph::None, 0, 0, Page::None},
    {"common/slider_FILLER_1.png", 21, 21, Art::SliderFiller, Glyph::None, 1, 0, Page::None},
    {"common/draw_line.png", 151, 1, Art::ListLine, Glyph::None, 0, 0, Page::None},
    {"common/filelist_BASE.png", 151, 200, Art::ListBase, Glyph::None, 0, 0, Page::None},
    {"common/draw_inputValue.png", 39, 19, Art::InputField, Glyph::None, 0, 0, Page::None},
    {"common/draw_paletteIndex.png", 19, 31, Art::Swatch, Glyph::None, 0, 0, Page::None},
    {"common/draw_palette.png", 102, 18, Art::PaletteFrame, Glyph::None, 0, 0, Page::None},
    {"common/checkbox_0.png", 15, 15, Art::Checkbox, Glyph::None, 0, 0, Page::None},
    {"common/checkbox_1.png", 15, 15, Art::Checkbox, Glyph::None, 1, 0, Page::None},
    // The tray holds the two buttons 3 pixels in from its edges and 2 apart; it stands left of
    // the lighting page's brightness slider (x 295 to 357).
    {"common/reset_0.png", 27, 22, Art::Button, Glyph::Reset, 0, 0, Page::None},
    {"common/reset_1.png", 27, 22, Art::Button, Glyph::Reset, 1, 0, Page::None},
    {"common/apply_0.png", 27, 22, Art::Button, Glyph::Check, 0, 0, Page::None},
    {"common/apply_1.png", 27, 22, Art::Button, Glyph::Check, 1, 0, Page::None},
    {"common/fram_2btn.png", 62, 28, Art::ButtonTray, Glyph::None, 0, 0, Page::None},
    // Beside the macro page's 151 × 23 capture field, 5 pixels right, clear of the action panel.
    {"common/add_0.png", 21, 23, Art::Button, Glyph::Plus, 0, 0, Page::None},
    {"common/add_1.png", 21, 23, Art::Button, Glyph::Plus, 1, 0, Page::None},
    {"common/delete_0.png", 21, 23, Art::Button, Glyph::Minus, 0, 0, Page::None},
    {"common/delete_1.png", 21, 23, Art::Button, Glyph::Minus, 1, 0, Page::None},
    // At the right end of the action panel's 21-pixel title bar.
    {"common/record_0.png", 19, 19, Art::Button, Glyph::Record, 0, 0, Page::None},
    {"common/record_1.png", 19, 19, Art::Button, Glyph::Record, 1, 0, Page::None},
    {"common/stop_0.png", 19, 19, Art::Button, Glyph::Stop, 0, 0, Page::None},
    {"common/stop_1.png", 19, 19, Art::Button, Glyph::Stop, 1, 0, Page::None},
    // The editing column stands at x 446 of the macro page, 22 pixels left of the action panel,
    // with a button every 31 pixels.
    {"common/solid-delete_0.png", 20, 28, Art::Button, Glyph::Trash, 0, 0, Page::None},
    {"common/solid-delete_1.png", 20, 28, Art::Button, Glyph::Trash, 1, 0, Page::None},
    {"common/solid-cut_0.png", 20, 28, Art::Button, Glyph::Scissors, 0, 0, Page::None},
    {"common/solid-cut_1.png", 20, 28, Art::Button, Glyph::Scissors, 1, 0, Page::None},
    {"common/solid-paste_0.png", 20, 28, Art::Button, Glyph::Paste, 0, 0, Page::None},
    {"common/solid-paste_1.png", 20, 28, Art::Button, Glyph::Paste, 1, 0, Page::None},
    {"common/solid-copy_0.png", 20, 28, Art::Button, Glyph::Copy, 0, 0, Page::None},
    {"common/solid-copy_1.png", 20, 28, Art::Button, Glyph::Copy, 1, 0, Page::None},

    {"model_kb/k1-0.png", 29, 29, Art::KeyCap, Glyph::None, 0, 1, Page::None},
    {"model_kb/k1-1.png", 29, 29, Art::KeyCap, Glyph::None, 1, 1, Page::None},
    {"model_kb/k2-0.png", 39, 29, Art::KeyCap, Glyph::None, 0, 2, Page::None},
    {"model_kb/k2-1.png", 39, 29, Art::KeyCap, Glyph::None, 1, 2, Page::None},
    {"model_kb/k3-0.png", 48, 29, Art::KeyCap, Glyph::None, 0, 3, Page::None},
    {"model_kb/k3-1.png", 48, 29, Art::KeyCap, Glyph::None, 1, 3, Page::None},
    {"model_kb/k4-0.png", 64, 29, Art::KeyCap, Glyph::None, 0, 4, Page::None},
    {"model_kb/k4-1.png", 64, 29, Art::KeyCap, Glyph::None, 1, 4, Page::None},
    {"model_kb/k5-0.png", 36, 29, Art::KeyCap, Glyph::None, 0, 5, Page::None},
    {"model_kb/k5-1.png", 36, 29, Art::KeyCap, Glyph::None, 1, 5, Page::None},
    {"model_kb/k6-0.png", 192, 29, Art::KeyCap, Glyph::None, 0, 6, Page::None},
    {"model_kb/k6-1.png", 192, 29, Art::KeyCap, Glyph::None, 1, 6, Page::None},
    {"model_kb/k7-0.png", 82, 29, Art::KeyCap, Glyph::None, 0, 7, Page::None},
    {"model_kb/k7-1.png", 82, 29, Art::KeyCap, Glyph::None, 1, 7, Page::None},
    {"model_kb/k9-0.png", 55, 29, Art::KeyCap, Glyph::None, 0, 9, Page::None},
    {"model_kb/k9-1.png", 55, 29, Art::KeyCap, Glyph::None, 1, 9, Page::None},
    {"model_kb/k10-0.png", 60, 29, Art::KeyCap, Glyph::None, 0, 10, Page::None},
    {"model_kb/k10-1.png", 60, 29, Art::KeyCap, Glyph::None, 1, 10, Page::None},
    {"model_kb/k11-0.png", 29, 60, Art::KeyCap, Glyph::None, 0, 11, Page::None},
    {"model_kb/k11-1.png", 29, 60, Art::KeyCap, Glyph::None, 1, 11, Page::None},
    {"model_kb/k12-0.png", 45, 29, Art::KeyCap, Glyph::None, 0, 12, Page::None},
    {"model_kb/k12-1.png", 45, 29, Art::KeyCap, Glyph::None, 1, 12, Page::None},
    {"model_kb/k81-0.png", 67, 29, Art::KeyCap, Glyph::None, 0, 81, Page::None},
    {"model_kb/k81-1.png", 67, 29, Art::KeyCap, Glyph::None, 1, 81, Page::None},
};

// The busy picture is not part of a skin: the scene embeds it as a resource.
inline constexpr Picture busyPicture = {"img/common/loading.png", 24, 24, Art::Busy, Glyph::None, 0, 0, Page::None};

// Folders, relative to a source tree, that the generator writes.
inline constexpr char skinRoot[] = "modules/img";
inline constexpr char busyRoot[] = "app/qml";

} // namespace SkinCatalogue
