// SPDX-License-Identifier: GPL-3.0-or-later
#include "SceneResources.h"

#include <QtGlobal>

// Both layout libraries name their layout resource file scene_layout.qrc; a program links one.
void initSceneResources()
{
    Q_INIT_RESOURCE(scene_common);
    Q_INIT_RESOURCE(scene_layout);
}
