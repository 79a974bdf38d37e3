// SPDX-License-Identifier: GPL-3.0-or-later
// Runs the scene's QML tests against the resources of one keyboard layout, with recording
// stand-ins for the objects the scene expects in its root context.
#include "CallLog.h"
#include "RecordingController.h"
#include "RecordingKernel.h"
#include "RecordingView.h"
#include "SceneFixture.h"
#include "SceneResources.h"

#include <QObject>
#include <QQmlContext>
#include <QQmlEngine>
#include <QtQuickTest>

class Setup : public QObject
{
    Q_OBJECT

public slots:
    // Every QML test file gets a fresh engine; the stand-ins and their log are shared, so the
    // tests clear the log before they use it.
    void qmlEngineAvailable(QQmlEngine *engine)
    {
        initSceneResources();
        QQmlContext *context = engine->rootContext();
        context->setContextProperty(QStringLiteral("ui_View"), &m_view);
        context->setContextProperty(QStringLiteral("hid"), &m_hid);
        context->setContextProperty(QStringLiteral("ui_Ctl"), &m_controller);
        context->setContextProperty(QStringLiteral("kernel"), &m_kernel);
        context->setContextProperty(QStringLiteral("callLog"), &m_log);
        context->setContextProperty(QStringLiteral("sceneFixture"), &m_fixture);
        context->setContextProperty(QStringLiteral("keyboardLayout"), QStringLiteral(TARVENIX_LAYOUT));
    }

private:
    CallLog m_log;
    RecordingView m_view{&m_log};
    QObject m_hid;
    RecordingController m_controller{&m_log};
    RecordingKernel m_kernel{&m_log};
    SceneFixture m_fixture;
};

QUICK_TEST_MAIN_WITH_SETUP(tst_scene, Setup)

#include "tst_scene.moc"
