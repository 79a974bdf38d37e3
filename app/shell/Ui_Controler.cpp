// SPDX-License-Identifier: GPL-3.0-or-later
#include "Ui_Controler.h"

#include "Hid_Thread.h"
#include "myQQuickView.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QQmlContext>
#include <QQuickItem>
#include <QSettings>
#include <QWidget>
#include <QWindow>

Ui_Controler::Ui_Controler(KeyMap::Layout layout)
    : m_layout(layout)
    // A Wayland client cannot place its windows: the toolkit takes the position and the
    // compositor never applies it.
    , m_compositorPlaces(QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
{
}

void Ui_Controler::setupUi(QWidget *window, Hid_Thread *link)
{
    if (window->objectName().isEmpty())
        window->setObjectName(QStringLiteral("Widget"));
    this->window = window;

    window->setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::CustomizeWindowHint);
    window->setWindowOpacity(1.0);
    window->setAttribute(Qt::WA_TranslucentBackground);
    // Only the window itself: a bare rule would cascade into every child widget, dialogs and
    // message boxes over the window included, and leave their texts black on black.
    window->setStyleSheet(QStringLiteral("#%1 { background:transparent; }").arg(window->objectName()));

    m_view = new myQQuickView(window, m_layout);
    m_view->setObjectName(QStringLiteral("ui_View"));
    // The scene draws its own rounded shape; the desktop shows through the rest.
    m_view->setAttribute(Qt::WA_AlwaysStackOnTop);
    m_view->setClearColor(Qt::transparent);
    m_view->setSource(QUrl(QStringLiteral("qrc:modules/qml/main.qml")));
    m_view->installEventFilter(this);

    QQmlContext *context = m_view->rootContext();
    context->setContextProperty(QStringLiteral("ui_View"), m_view);
    context->setContextProperty(QStringLiteral("hid"), link);
    context->setContextProperty(QStringLiteral("ui_Ctl"), this);
    context->setContextProperty(QStringLiteral("kernel"), window);
    window->resize(m_view->size());

    m_busyView = new QQuickWidget(window);
    m_busyView->setAttribute(Qt::WA_AlwaysStackOnTop);
    m_busyView->setClearColor(Qt::transparent);
    m_busyView->setSource(QUrl(QStringLiteral("qrc:modules/qml/basic/BusyIndicator.qml")));
    m_busyView->move((m_view->width() - m_busyView->width()) / 2, (m_view->height() - m_busyView->height()) / 2);

    const QSettings configuration(QStringLiteral("./modules/setting/apConfig.bin"), QSettings::IniFormat);
    window->setWindowTitle(configuration.value(QStringLiteral("common/name"), QString()).toString());
}

void Ui_Controler::onMinimize()
{
    if (window)
        window->close();
}

void Ui_Controler::onXChanged(int x)
{
    moveWindowBy(QPoint(x, 0));
}

void Ui_Controler::onYChanged(int y)
{
    moveWindowBy(QPoint(0, y));
}

// Every press on the scene may start a drag.
bool Ui_Controler::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_view && event->type() == QEvent::MouseButtonPress && window) {
        m_pressPosition = window->pos();
        m_movedAway = false;
        m_systemMove = false;
    }
    return QObject::eventFilter(watched, event);
}

void Ui_Controler::moveWindowBy(const QPoint &offset)
{
    if (!window || offset.isNull() || m_systemMove)
        return;
    // A window manager that refuses a move answers with the old position: still where the
    // press found it, although it was sent elsewhere.
    if (m_movedAway && window->pos() == m_pressPosition)
        m_compositorPlaces = true;
    if (!m_compositorPlaces) {
        window->move(window->pos() + offset);
        m_movedAway = window->pos() != m_pressPosition;
        return;
    }
    QWindow *handle = window->windowHandle();
    m_systemMove = handle && handle->startSystemMove();
}

void Ui_Controler::setBusy(bool isBusy)
{
    this->isBusy = isBusy;
    if (QQuickItem *root = m_busyView->rootObject())
        QMetaObject::invokeMethod(root, "setBusy", Qt::QueuedConnection, Q_ARG(QVariant, QVariant(isBusy)));
    if (isBusy)
        m_busyView->show();
    else
        m_busyView->hide();
}
