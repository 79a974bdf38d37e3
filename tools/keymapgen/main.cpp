// SPDX-License-Identifier: GPL-3.0-or-later
// Writes <modules>/setting/keymap.bin, the translation between the scene's key positions and
// the firmware's. The scene numbers the 21 x 6 key grid column by column (column x 6 + row,
// row 0 at the bottom); the keyboard's firmware numbers the same grid row by row
// (row x 21 + column). fw_sw/<firmware> names the scene position, sw_fw/<scene> the firmware one.
//
// Usage: keymapgen <modules directory>

#include "GeneratorSupport.h"

namespace {

constexpr int kColumns = 21;
constexpr int kRows = 6;

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QString modules = folderArgument(app, "keymapgen <modules directory>");
    if (modules.isEmpty())
        return 2;
    const bool written = writeFreshSettings(QDir(modules).filePath(QStringLiteral("setting/keymap.bin")), [](QSettings &file) {
        for (int scene = 0; scene < kColumns * kRows; ++scene) {
            const int column = scene / kRows;
            const int row = scene % kRows;
            const int firmware = row * kColumns + column;
            file.setValue(QStringLiteral("sw_fw/%1").arg(scene), firmware);
            file.setValue(QStringLiteral("fw_sw/%1").arg(firmware), scene);
        }
    });
    return written ? 0 : 1;
}
