// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QVector>

// Where a HID keyboard interface's input reports carry its keys, read from the interface's
// report descriptor: the fields of the Keyboard/Keypad usage page (0x07). Both kinds that
// keyboards use are understood: arrays of usages (the boot protocol's six key bytes) and bitmaps
// with one bit per usage (the boot protocol's modifier byte, and the key bitmaps of keyboards
// that report every key at once). Fields of other pages (consumer keys, system control, vendor
// data), constant padding, and output and feature reports are not keys and are left out.
//
// A plain value; parsing is a pure function of the descriptor's bytes.
class KeyboardReportLayout
{
public:
    struct Field
    {
        int reportId = 0;           // 0: the interface numbers no reports
        int bitOffset = 0;          // counted from the first byte after the report ID
        int bitSize = 0;            // of one element: 1 for a bitmap
        int count = 0;              // elements
        bool bitmap = false;
        QVector<quint16> usages;    // bitmap: the usage of each bit, 0 where a bit names no key
        int usageMinimum = 0;       // array: the usage that an element of logicalMinimum names
        int logicalMinimum = 0;     // array: elements outside the logical range name no key
        int logicalMaximum = 0;
    };

    // The keys of every input report that the descriptor declares. Empty when it declares none,
    // or when the descriptor is cut short or declares impossible sizes: keys are read only
    // through a layout that is wholly understood.
    static KeyboardReportLayout fromDescriptor(const QByteArray &descriptor);

    bool isEmpty() const { return m_fields.isEmpty(); }
    // True when every report starts with its report ID.
    bool numbersReports() const { return m_numbersReports; }
    const QVector<Field> &fields() const { return m_fields; }

private:
    QVector<Field> m_fields;
    bool m_numbersReports = false;
};
