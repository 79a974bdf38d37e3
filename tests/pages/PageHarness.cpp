// SPDX-License-Identifier: GPL-3.0-or-later
#include "PageHarness.h"

#include "HarnessWindow.h"
#include "ImageTree.h"
#include "InstallationFlags.h"
#include "SimulatedKeyboard.h"
#include "myQQuickView.h"

#include <QQmlContext>
#include <QQmlEngine>

PageHarness::PageHarness(KeyMap::Layout layout, unsigned short release, const QString &shippedTree,
                         const QString &layoutName)
    : m_layout(layout)
    , m_release(release)
    , m_layoutName(layoutName)
    , m_tree(shippedTree)
{
}

PageHarness::~PageHarness()
{
    stopApplication();
}

void PageHarness::qmlEngineAvailable(QQmlEngine *engine)
{
    m_engine = engine;
    QQmlContext *context = engine->rootContext();
    context->setContextProperty(QStringLiteral("harness"), this);
    context->setContextProperty(QStringLiteral("simKeyboard"), &m_probe);
    context->setContextProperty(QStringLiteral("dataTree"), &m_tree);
    context->setContextProperty(QStringLiteral("dialogs"), &m_dialogs);
    context->setContextProperty(QStringLiteral("keyboardLayout"), m_layoutName);
    reset();
}

void PageHarness::reset()
{
    stopApplication();
    m_probe.attach(nullptr, nullptr);
    m_keyboard.reset();
    m_tree.renew();
    m_keyboard = std::make_unique<SimulatedKeyboard>(m_release);
    // As the application's simulated keyboard: a real one takes a moment to acknowledge.
    m_keyboard->setAckDelay(2);
    startApplication();
}

void PageHarness::restart()
{
    stopApplication();
    startApplication();
}

void PageHarness::setScene(QObject *scene)
{
    if (m_window)
        m_window->setScene(scene);
}

// As the application starts: the gate closed, the image tree checked, then the main window.
void PageHarness::startApplication()
{
    imagesVerified = imageTreeVerified(QStringLiteral("./modules/img"));
    langVerified = false;
    m_dialogs.clear();
    m_window = std::make_unique<HarnessWindow>(m_layout, *m_keyboard, &m_dialogs);
    m_probe.attach(m_keyboard.get(), m_window->link());
    if (!m_engine)
        return;
    QQmlContext *context = m_engine->rootContext();
    context->setContextProperty(QStringLiteral("ui_View"), m_window->view());
    context->setContextProperty(QStringLiteral("hid"), m_window->link());
    context->setContextProperty(QStringLiteral("ui_Ctl"), m_window->controller());
    context->setContextProperty(QStringLiteral("kernel"), m_window.get());
}

void PageHarness::stopApplication()
{
    if (!m_window)
        return;
    m_probe.attach(m_keyboard.get(), nullptr);
    m_window.reset();
}
