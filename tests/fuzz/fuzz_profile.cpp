// SPDX-License-Identifier: GPL-3.0-or-later
// A profile file as the application opens it at start-up, and the same bytes offered for
// import: every value the pages read back, then the import check and, when it takes the file,
// the imported profile read back too.
#include "FuzzTree.h"
#include "KeyMap.h"
#include "ProfileStore.h"

namespace {

void readAll(ProfileStore &store)
{
    for (int position = 0; position < KeyMap::KeyCount; ++position)
        KeyMap::parseKeyDefinition(store.keyDefine(position));
    store.ledType();
    for (int index = 0; index < 8; ++index) {
        store.color(index);
        store.userPicture(index);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static Fuzz::Tree tree;
    const QString file = tree.put(QStringLiteral("modules/setting/p1.bin"), data, size);
    ProfileStore store(tree.base());
    readAll(store);
    if (store.importProfile(1, file) && store.setCurrentProfile(1))
        readAll(store);
    return 0;
}
