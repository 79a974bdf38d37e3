// SPDX-License-Identifier: GPL-3.0-or-later
// The reference for the start-up figures: a bare QQuickWidget program, a frameless 1000 x 600
// window showing 130 items, as much scene as the main screen shows, and nothing else. It draws
// with the renderer the application would choose on this machine.
#include "SceneBackend.h"

#include <QApplication>
#include <QQuickWidget>
#include <QTemporaryFile>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    chooseSceneBackend();
    QTemporaryFile scene(QStringLiteral("bare_XXXXXX.qml"));
    if (!scene.open())
        return 1;
    scene.write("import QtQuick 2.15\n"
                "Rectangle { width: 1000; height: 600; color: '#202020'\n"
                "  Grid { columns: 13; spacing: 4; x: 20; y: 20\n"
                "    Repeater { model: 130\n"
                "      Rectangle { width: 70; height: 40; color: '#404040'; radius: 3\n"
                "        Text { anchors.centerIn: parent; text: index; color: 'white' } } } } }\n");
    scene.close();
    QQuickWidget view;
    view.setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    view.setSource(QUrl::fromLocalFile(scene.fileName()));
    view.show();
    return app.exec();
}
