// SPDX-License-Identifier: GPL-3.0-or-later
#include "SceneFixture.h"

#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickItem>
#include <QUrl>

QObject *SceneFixture::createInScene(QQuickItem *scene, const QString &url)
{
    QQmlContext *context = qmlContext(scene);
    if (!context) {
        qWarning("createInScene: the scene item has no QML context");
        return nullptr;
    }
    QQmlComponent component(context->engine(), QUrl(url));
    QObject *object = component.beginCreate(context);
    if (!object) {
        for (const QQmlError &error : component.errors())
            qWarning("%s", qPrintable(error.toString()));
        return nullptr;
    }
    object->setParent(scene);
    if (auto *item = qobject_cast<QQuickItem *>(object))
        item->setParentItem(scene);
    component.completeCreate();
    return object;
}
