// SPDX-License-Identifier: GPL-3.0-or-later
// What the lighting page's live preview costs: the application's main window (US build, on the
// simulated keyboard, in a copy of the data tree) shown in the X server named by DISPLAY, the
// lighting page open, each case running for 10 s. Per case it prints the CPU used by the
// process as a percentage of one core and the median frame time (synchronising and rendering
// the scene, on the GUI thread), both also as a ratio to the idle page of the same run.
//
// Cases: the idle page (no effect chosen, nothing animates; its frame time is that of a whole
// page repainted), the ripple at its fastest (slider 7, 10 ms) with three circles kept
// running, and the marquee and the rotation at their fastest (slider 0, one step per 16 ms).
//
// Usage: QT_QUICK_BACKEND=software bench_color_preview   (budget: ripple < 15 % of a core)
#include "StartedWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QQuickWindow>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <vector>

namespace {

constexpr int measuredMs = 10000;
constexpr int settleMs = 1000;

double cpuSeconds()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
        + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Frame times of a window: from the start of synchronising to the end of rendering.
class FrameClock
{
public:
    explicit FrameClock(QQuickWindow *window)
    {
        QObject::connect(window, &QQuickWindow::beforeSynchronizing, window, [this] { m_frame.start(); },
                         Qt::DirectConnection);
        QObject::connect(window, &QQuickWindow::afterRendering, window, [this] {
            if (m_frame.isValid())
                m_times.push_back(double(m_frame.nsecsElapsed()) / 1e6);
        }, Qt::DirectConnection);
    }

    void clear() { m_times.clear(); }
    const std::vector<double> &times() const { return m_times; }

private:
    QElapsedTimer m_frame;
    std::vector<double> m_times;
};

struct Figures
{
    const char *name;
    double cpuPercent = 0;
    double frameMs = 0;
    double framesPerSecond = 0;
};

Figures measure(const char *name, FrameClock &clock)
{
    QTest::qWait(settleMs);
    clock.clear();
    const double cpu = cpuSeconds();
    QElapsedTimer wall;
    wall.start();
    QTest::qWait(measuredMs);
    const double seconds = double(wall.nsecsElapsed()) / 1e9;
    Figures f {name};
    f.cpuPercent = 100.0 * (cpuSeconds() - cpu) / seconds;
    f.frameMs = median(clock.times());
    f.framesPerSecond = double(clock.times().size()) / seconds;
    return f;
}

void call(QObject *object, const char *function, const QVariantList &arguments = {})
{
    QGenericArgument a[3];
    for (int i = 0; i < arguments.size() && i < 3; ++i)
        a[i] = Q_ARG(QVariant, arguments.at(i));
    if (!QMetaObject::invokeMethod(object, function, a[0], a[1], a[2]))
        std::fprintf(stderr, "cannot call %s\n", function);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    StartedWindow window;
    if (!window.start())
        return 1;
    myQQuickView *view = window.view();
    QQuickItem *root = window.root();
    QObject *pageArea = window.pageArea();
    QQuickItem *page = root->findChild<QQuickItem *>(QStringLiteral("page_Color"));
    if (!page) {
        std::fprintf(stderr, "no lighting page\n");
        return 1;
    }
    call(pageArea, "show", {2});
    FrameClock clock(view->quickWindow());
    std::vector<Figures> figures;

    call(page, "chooseGroup", {1});   // EFFECTS, nothing chosen: no effect
    figures.push_back(measure("idle page", clock));
    // The idle page draws no frames; its frame time is that of the whole page repainted.
    clock.clear();
    for (int i = 0; i < 60; ++i) {
        page->setOpacity(i % 2 ? 1.0 : 0.99);
        QTest::qWait(50);
    }
    page->setOpacity(1.0);
    figures.back().frameMs = median(clock.times());

    // Three circles kept running: a key press every 150 ms, each circle lasting about 0.5 s.
    call(page, "chooseEntry", {4});
    call(page, "chooseSpeed", {7});
    const int usages[] = {0x04, 0x0D, 0x5D};   // A, J, keypad 5
    int next = 0;
    QTimer presses;
    QObject::connect(&presses, &QTimer::timeout, root, [&] {
        call(root, "detectKeyboard", {true, usages[next]});
        call(root, "detectKeyboard", {false, usages[next]});
        next = (next + 1) % 3;
    });
    presses.start(150);
    figures.push_back(measure("ripple, slider 7, 3 circles", clock));
    presses.stop();

    call(page, "chooseEntry", {3});
    call(page, "chooseSpeed", {0});
    figures.push_back(measure("marquee, slider 0", clock));

    call(page, "chooseEntry", {8});
    call(page, "chooseDirection", {1});
    figures.push_back(measure("rotation, slider 0", clock));

    const Figures &idle = figures.front();
    std::printf("lighting preview, software renderer, %d s per case\n", measuredMs / 1000);
    std::printf("%-30s %12s %8s %10s %14s %8s\n", "case", "CPU % core", "ratio", "frames/s", "median frame", "ratio");
    for (const Figures &f : figures) {
        std::printf("%-30s %12.2f %8.1f %10.1f %11.2f ms %8.2f\n", f.name, f.cpuPercent,
                    idle.cpuPercent > 0 ? f.cpuPercent / idle.cpuPercent : 0.0, f.framesPerSecond, f.frameMs,
                    idle.frameMs > 0 ? f.frameMs / idle.frameMs : 0.0);
    }
    std::printf("budget: ripple at its fastest < 15 %% of a core\n");
    return 0;
}
