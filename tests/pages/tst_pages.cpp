// SPDX-License-Identifier: GPL-3.0-or-later
// Runs the page tests (tests/pages/tst_*.qml) against the real bridge on a simulated keyboard,
// once per keyboard layout: tst_pages_US and tst_pages_UK, one ctest per file and layout
// (tst_pages_US_tst_Page_Color, ..., label qml).
//
// Writing a page test
//   Make tests/pages/tst_<Page>.qml with a PageTestCase (its functions are described there):
//
//     PageTestCase {
//         name: "Page_Color"
//         function test_applySendsTheMode() {
//             var scene = startApplication()          // shipped data, fresh keyboard, scene run
//             openPage(scene, "COLOR")
//             ...click, or call the page's functions...
//             verify(simKeyboard.waitIdle())          // the set transfers have finished
//             compare(simKeyboard.commands(), [0x08])
//             compare(simKeyboard.profile().ledType, [0, 6, 3, 4, 0, 1])
//             compare(dataTree.value("modules/setting/p1.bin", "color/ledType"), ["6", "3", "4", "0", "1"])
//             compare(simKeyboard.violations(), [])
//         }
//     }
//
//   The root context holds what the application's has, real: ui_View (the bridge), hid (the
//   device link), ui_Ctl (the window controller, with no window to move or close) and kernel
//   (the main window's syncFW); and for the test:
//     simKeyboard     what the keyboard received and holds; waitIdle(); its own mode key
//                     (KeyboardProbe.h)
//     dataTree        the temporary data tree: path(), readFile(), value(), writeFile(),
//                     removeFile(), files() (DataTree.h)
//     dialogs         the bridge's file dialogs: answerNext(path), asked() (ScriptedDialogs.h)
//     harness         reset(), restart(), setScene() (PageHarness.h)
//     keyboardLayout  "US" or "UK"
//   Each test file starts on the shipped data and a fresh keyboard; startApplication() starts
//   so again for each test. The working directory is the temporary tree's, as the
//   application's is its data folder. Run one file: tst_pages_US -input tests/pages/tst_X.qml.
#include "PageHarness.h"
#include "SceneResources.h"
#include "SimulatedKeyboard.h"

#include <QApplication>
#include <QtQuickTest>

int main(int argc, char *argv[])
{
    // The bridge is a QQuickWidget: widgets need a QApplication, which Qt Quick Test then uses.
    QApplication app(argc, argv);
    initSceneResources();
#ifdef TARVENIX_LAYOUT_UK
    PageHarness harness(KeyMap::Layout::UK, SimulatedKeyboard::kReleaseUK, QStringLiteral(TARVENIX_DATA_TREE), QStringLiteral("UK"));
#else
    PageHarness harness(KeyMap::Layout::US, SimulatedKeyboard::kReleaseUS, QStringLiteral(TARVENIX_DATA_TREE), QStringLiteral("US"));
#endif
    return quick_test_main_with_setup(argc, argv, "tst_pages", QUICK_TEST_SOURCE_DIR, &harness);
}
