// SPDX-License-Identifier: GPL-3.0-or-later
// The key map file, and the permutations it drives both ways for a full scene table.
#include "FuzzTree.h"
#include "KeyMap.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static Fuzz::Tree tree;
    static const QVariantList scene = [] {
        QVariantList values;
        for (int i = 0; i < KeyMap::SceneValues; ++i)
            values.append(i & 0xFF);
        return values;
    }();
    static const QByteArray firmware(KeyMap::BufferSize, '\x5a');
    tree.put(QStringLiteral("modules/setting/keymap.bin"), data, size);
    const KeyMap map(KeyMap::Layout::US, tree.base());
    map.toFirmware(scene, KeyMap::Table::KeyMatrix);
    map.toFirmware(scene, KeyMap::Table::UserPicture);
    map.toScene(firmware);
    return 0;
}
