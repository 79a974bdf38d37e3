// SPDX-License-Identifier: GPL-3.0-or-later
#include "HarnessWindow.h"

#include "DeviceDescriptor.h"
#include "myQQuickView.h"

#include <QVariant>

namespace {

constexpr quint32 kModeReport = 0x04050000; // | mode << 8

} // namespace

HarnessWindow::HarnessWindow(KeyMap::Layout layout, HidApi &hidApi, UserDialogs *dialogs)
    : m_link(hidApi)
    , m_view(std::make_unique<myQQuickView>(nullptr, layout))
    , m_controller(layout)
{
    m_link.setOwner(this);
    m_view->setObjectName(QStringLiteral("ui_View"));
    m_view->setHidLink(&m_link);
    m_view->setDialogs(dialogs);
    m_link.enumerateDevices(readDeviceDescriptors());
    m_link.startListener();
}

HarnessWindow::~HarnessWindow()
{
    m_link.stopListener();
    m_link.setOwner(nullptr);
    m_view->setHidLink(nullptr);
}

void HarnessWindow::syncFW()
{
    uchar mode = 0;
    m_link.hid_89H_GetKeyboardMode(mode);
    detectVendor(kModeReport | quint32(mode) << 8);
}

void HarnessWindow::vendorEvent(quint32 code)
{
    detectVendor(code);
}

void HarnessWindow::detectVendor(quint32 code)
{
    QMetaObject::invokeMethod(
        this,
        [this, code] {
            if (m_scene)
                QMetaObject::invokeMethod(m_scene, "detectVendor", Q_ARG(QVariant, QVariant(code)));
        },
        Qt::QueuedConnection);
}
