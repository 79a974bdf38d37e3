// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Registers the scene's resources (":/modules/qml/...", the busy picture) of the keyboard layout
// this program is linked with (library scene_US or scene_UK). Call once, before loading
// "qrc:modules/qml/main.qml"; the scene lives in a static library, whose resources the linker
// keeps only when this function is called.
void initSceneResources();
