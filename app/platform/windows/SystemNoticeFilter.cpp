// SPDX-License-Identifier: GPL-3.0-or-later
#include "SystemNoticeFilter.h"

#include <QCoreApplication>

#include <windows.h>

SystemNoticeFilter::SystemNoticeFilter(WindowsMessages::SystemNotice notice, QObject *parent)
    : QObject(parent)
    , m_notice(notice)
{
}

SystemNoticeFilter::~SystemNoticeFilter()
{
    if (m_installed && QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

void SystemNoticeFilter::install()
{
    if (m_installed)
        return;
    QCoreApplication::instance()->installNativeEventFilter(this);
    m_installed = true;
}

#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
bool SystemNoticeFilter::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
#else
bool SystemNoticeFilter::nativeEventFilter(const QByteArray &eventType, void *message, long *)
#endif
{
    if (eventType == "windows_generic_MSG") {
        const MSG *msg = static_cast<const MSG *>(message);
        if (WindowsMessages::systemNotice(msg->message, msg->wParam) == m_notice)
            emit noticed();
    }
    return false;
}
