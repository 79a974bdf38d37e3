// SPDX-License-Identifier: GPL-3.0-or-later
#include "KeyboardInterfaceReader.h"

#include "DeviceLog.h"

#include <QMetaObject>

#include <array>

namespace {

constexpr int kReadMs = 200;                 // how long stop() may wait for the reading thread
constexpr size_t kLongestReport = 256;       // longer reports are cut; keys sit at their start
constexpr size_t kLongestDescriptor = 4096;  // the kernel's limit

} // namespace

KeyboardInterfaceReader::KeyboardInterfaceReader(HidApi &api, QObject *parent)
    : QObject(parent)
    , m_api(api)
{
}

KeyboardInterfaceReader::~KeyboardInterfaceReader()
{
    stop();
}

void KeyboardInterfaceReader::follow(const QString &path)
{
    if (path == m_path && m_alive)
        return;
    stop();
    m_path = path;
    if (path.isEmpty())
        return;

    hid_device *device = m_api.hid_open_path(path.toLocal8Bit().constData());
    if (!device) {
        refuse(path, "cannot be opened");
        return;
    }
    std::array<unsigned char, kLongestDescriptor> descriptor{};
    const int size = m_api.hid_get_report_descriptor(device, descriptor.data(), descriptor.size());
    const KeyboardReportLayout layout = KeyboardReportLayout::fromDescriptor(
        size > 0 ? QByteArray(reinterpret_cast<const char *>(descriptor.data()), size) : QByteArray());
    if (layout.isEmpty()) {
        m_api.hid_close(device);
        refuse(path, "declares no keys");
        return;
    }
    m_refusedPath.clear();
    m_running = true;
    m_alive = true;
    m_thread = std::thread(&KeyboardInterfaceReader::read, this, device, layout);
}

void KeyboardInterfaceReader::stop()
{
    m_running = false;
    if (m_thread.joinable())
        m_thread.join();
}

void KeyboardInterfaceReader::refuse(const QString &path, const char *why)
{
    if (path == m_refusedPath)
        return;
    m_refusedPath = path;
    qCDebug(lcDevice, "keyboard interface %s %s: keys are heard through the desktop only",
            qUtf8Printable(path), why);
}

// On the reading thread, which owns `device` until it returns.
void KeyboardInterfaceReader::read(hid_device *device, const KeyboardReportLayout &layout)
{
    KeyboardReport::Keys held;
    std::array<unsigned char, kLongestReport> report{};
    while (m_running) {
        const int got = m_api.hid_read_timeout(device, report.data(), report.size(), kReadMs);
        // A failed read: the keyboard is gone. The discovery run that its removal starts decides
        // what is read next.
        if (got < 0)
            break;
        if (got == 0)
            continue;
        const auto keys = KeyboardReport::keysDown(layout, QByteArray(reinterpret_cast<const char *>(report.data()), got));
        if (!keys)
            continue;
        post(KeyboardReport::changes(held, *keys));
        held = *keys;
    }
    post(KeyboardReport::changes(held, KeyboardReport::Keys()));
    m_api.hid_close(device);
    m_alive = false;
}

void KeyboardInterfaceReader::post(const QVector<KeyboardReport::Change> &changes)
{
    if (changes.isEmpty())
        return;
    {
        std::lock_guard<std::mutex> lock(m_changesMutex);
        m_changes += changes;
    }
    QMetaObject::invokeMethod(this, "deliverChanges", Qt::QueuedConnection);
}

void KeyboardInterfaceReader::deliverChanges()
{
    QVector<KeyboardReport::Change> changes;
    {
        std::lock_guard<std::mutex> lock(m_changesMutex);
        changes.swap(m_changes);
    }
    for (const KeyboardReport::Change &change : changes)
        emit keyChanged(change.isDown, change.usage);
}
