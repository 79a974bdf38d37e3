// SPDX-License-Identifier: GPL-3.0-or-later
#include "ResumeWatcher.h"

ResumeWatcher::ResumeWatcher(QObject *parent)
    : QObject(parent)
    , m_filter(WindowsMessages::SystemNotice::Resume)
{
    connect(&m_filter, &SystemNoticeFilter::noticed, this, &ResumeWatcher::resumed);
}

bool ResumeWatcher::start()
{
    m_filter.install();
    return true;
}
