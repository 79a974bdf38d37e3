// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "HidApi.h"
#include "KeyboardReport.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <mutex>
#include <thread>

// Reads the keyboard's own HID keyboard interface, which sends its key reports to every reader
// of the interface, whatever the desktop and whichever window has the focus, and takes nothing
// from the desktop. Each report becomes the keys that went down and up since the one before
// (KeyboardReport), in the layout that the interface's report descriptor declares.
//
// The interface is read on a thread of its own, with reads of at most 200 ms; the changes are
// emitted on the thread the reader lives on. When reading ends (the keyboard is gone, another
// interface is followed, the reader is destroyed) every key still held is released, so no key
// stays down for ever. What is typed is never logged.
class KeyboardInterfaceReader : public QObject
{
    Q_OBJECT

public:
    explicit KeyboardInterfaceReader(HidApi &api, QObject *parent = nullptr);
    ~KeyboardInterfaceReader() override;

    // Reads the interface at `path` from now on, instead of the one read so far; an empty path
    // stops reading. An interface still being read goes on undisturbed. One that cannot be
    // opened (the user has no access to it yet) or declares no keys is not read, with one debug
    // line for that path however often it is followed.
    void follow(const QString &path);
    void stop();
    bool isReading() const { return m_alive.load(); }

signals:
    // usage: a usage of the Keyboard/Keypad page, 1..255.
    void keyChanged(bool isDown, int usage);

private:
    void read(hid_device *device, const KeyboardReportLayout &layout);
    void post(const QVector<KeyboardReport::Change> &changes);
    Q_INVOKABLE void deliverChanges();
    void refuse(const QString &path, const char *why);

    HidApi &m_api;
    QString m_path;             // the interface read last
    QString m_refusedPath;      // the last one that could not be read, told once
    std::atomic<bool> m_running{false};   // cleared to end the reading thread
    std::atomic<bool> m_alive{false};     // the thread is reading
    std::thread m_thread;
    // From the reading thread to this object's, through a lock that thread checkers see.
    std::mutex m_changesMutex;
    QVector<KeyboardReport::Change> m_changes;
};
