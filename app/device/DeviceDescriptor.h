// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

// One device section of the compiled-in descriptor ":/DevInfo.ini".
struct DeviceDescriptor
{
    qint32 type = -1;          // 0 keyboard, 1 mouse
    quint16 vid = 0;
    quint16 pid = 0;
    quint16 usagePage = 0;     // command interface
    quint16 usage = 0;
    quint16 usagePage2 = 0;    // event interface
    quint16 usage2 = 0;
    QString lib;               // carried, not used
    QString modelName;         // carried, not used
};

// One matched keyboard of a discovery run.
struct FoundDevice
{
    qint32 index = 0;          // position of the matching descriptor
    qint32 type = 0;
    QString cmdPath;
    QString eventPath;
    QString keyboardPath;      // its HID keyboard interface, where key presses arrive; may be empty
};

// Reads every device section of an INI descriptor, in section order. "common/total" is read
// again before each section; every other value is hexadecimal text (also "type"), and text
// that is not a number reads as 0. A missing file yields an empty list; at most 256 sections
// are read.
QList<DeviceDescriptor> readDeviceDescriptors(const QString &path = QStringLiteral(":/DevInfo.ini"));
