// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "KeyEventSink.h"

#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

// The main window's sink as the key benchmarks see it: the time from `sent` to each
// "detectKeyboard", against the budget of 5 ms.
class KeyLatencySink final : public KeyEventSink
{
public:
    QElapsedTimer sent;
    std::vector<double> latencies;   // ms

    void detectKeyboard(bool, int) override { latencies.push_back(double(sent.nsecsElapsed()) / 1e6); }
    void detectMouse(bool, uint, uint, uint) override {}

    // Prints the median and the 95th percentile; false when nothing arrived.
    bool print(const char *source)
    {
        if (latencies.empty())
            return false;
        std::sort(latencies.begin(), latencies.end());
        std::printf("%s to detectKeyboard: median %.3f ms, 95th percentile %.3f ms over %zu events (budget < 5 ms)\n",
                    source, latencies[latencies.size() / 2], latencies[latencies.size() * 95 / 100], latencies.size());
        return true;
    }
};
