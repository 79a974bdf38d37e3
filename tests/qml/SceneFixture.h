// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

class QQuickItem;

// Creates a scene component inside a running main scene, as the scene's own files do: the new
// object sees the scene's root, its globals and its other named objects. This lets a test put
// a single control into a real scene. GUI thread only.
class SceneFixture : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // An instance of the component at `url`, a child of `scene` (the main scene's root item),
    // destroyed with it; null, with the errors as warnings, when the component does not load.
    Q_INVOKABLE QObject *createInScene(QQuickItem *scene, const QString &url);
};
