// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// Where the event listener delivers the keyboard's vendor events (every 4-byte event report
// except the acknowledgement). The main window implements it and passes the value on to the
// scene's "detectVendor" through the bridge.
//
// Thread contract: called on a thread-pool thread; an implementation must only queue the value
// for the GUI thread.
class VendorEventSink
{
public:
    virtual void vendorEvent(quint32 code) = 0;

protected:
    ~VendorEventSink() = default;
};
