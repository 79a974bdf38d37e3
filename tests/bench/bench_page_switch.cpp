// SPDX-License-Identifier: GPL-3.0-or-later
// Frames while the pages slide: the application's main window (US build, on the simulated
// keyboard, in a copy of the data tree) shown in the X server named by DISPLAY; the function
// menu's entries are clicked as a user does (KEY from nothing shown, then MACRO, COLOR and KEY
// again, each replacing the page shown), three rounds. Per switch it prints the time from the
// click to the last frame of the slide, the frames drawn, the longest frame (synchronising and
// rendering the scene, on the GUI thread) and the longest wait between two frames, click to
// first frame included; the worst of each over the rounds, with its ratio to the budget.
//
// Usage: QT_QUICK_BACKEND=software bench_page_switch   (budget: no frame over 20 ms)
#include "StartedWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QQuickWindow>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr double kFrameBudgetMs = 20;
constexpr int kRounds = 3;

struct Frame
{
    double startMs;   // since the click
    double endMs;
};

// Frames of a window from the start of synchronising to the end of rendering, timed from a
// common origin.
class FrameClock
{
public:
    explicit FrameClock(QQuickWindow *window)
    {
        QObject::connect(window, &QQuickWindow::beforeSynchronizing, window, [this] { m_start = now(); },
                         Qt::DirectConnection);
        QObject::connect(window, &QQuickWindow::afterRendering, window, [this] {
            if (m_start >= 0)
                m_frames.push_back({m_start, now()});
            m_start = -1;
        }, Qt::DirectConnection);
    }

    void restart()
    {
        m_frames.clear();
        m_start = -1;
        m_origin.start();
    }
    const std::vector<Frame> &frames() const { return m_frames; }

private:
    double now() const { return m_origin.isValid() ? double(m_origin.nsecsElapsed()) / 1e6 : 0; }

    QElapsedTimer m_origin;
    double m_start = -1;
    std::vector<Frame> m_frames;
};

struct Switch
{
    const char *name;
    int entry;                  // of the function menu: 0 KEY, 1 MACRO, 2 COLOR
    double lastFrameMs = 0;     // worst over the rounds, each
    double longestFrameMs = 0;
    double longestWaitMs = 0;
    int frames = 0;
};

bool slideRunning(QObject *pageArea)
{
    for (const char *name : {"showSlide", "hideSlide"}) {
        QObject *slide = pageArea->findChild<QObject *>(QLatin1String(name));
        if (slide && slide->property("running").toBool())
            return true;
    }
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    StartedWindow window;
    if (!window.start())
        return 1;
    myQQuickView *view = window.view();
    QObject *pageArea = window.pageArea();
    QObject *functionMenu = window.root()->findChild<QObject *>(QStringLiteral("menu_Func"));
    // The function menu stops at x 8 at the end of the entry animation.
    if (!functionMenu || !QTest::qWaitFor([&] { return functionMenu->property("x").toInt() == 8; }, 30000)) {
        std::fprintf(stderr, "no function menu\n");
        return 1;
    }
    QTest::qWait(500);
    FrameClock clock(view->quickWindow());
    Switch switches[] = {{"KEY, nothing shown before", 0}, {"MACRO, replacing KEY", 1},
                         {"COLOR, replacing MACRO", 2}, {"KEY, replacing COLOR", 0}};
    for (int round = 0; round < kRounds; ++round) {
        for (Switch &s : switches) {
            // The entries are 150 x 37 at x 8, y 180, 13 apart, in window coordinates.
            const QPoint entry(8 + 75, 180 + 18 + 50 * s.entry);
            QTest::mouseMove(view, entry);
            QTest::qWait(100);
            clock.restart();
            QTest::mouseClick(view, Qt::LeftButton, {}, entry);
            if (!QTest::qWaitFor([&] { return pageArea->property("pageId").toInt() == s.entry && !slideRunning(pageArea); },
                                 5000)) {
                std::fprintf(stderr, "page %d did not slide in within 5 s\n", s.entry);
                return 1;
            }
            QTest::qWait(200);   // the last frame of the slide
            const std::vector<Frame> &frames = clock.frames();
            if (frames.empty())
                continue;
            double previousEnd = 0;
            for (const Frame &f : frames) {
                s.longestFrameMs = std::max(s.longestFrameMs, f.endMs - f.startMs);
                s.longestWaitMs = std::max(s.longestWaitMs, f.startMs - previousEnd);
                previousEnd = f.endMs;
            }
            s.lastFrameMs = std::max(s.lastFrameMs, frames.back().endMs);
            s.frames = std::max(s.frames, int(frames.size()));
        }
        // Back to nothing shown for the next round.
        QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(8 + 75, 180 + 18));
        if (!QTest::qWaitFor([&] { return pageArea->property("pageId").toInt() == -1 && !slideRunning(pageArea); }, 5000)) {
            std::fprintf(stderr, "the page did not slide out within 5 s\n");
            return 1;
        }
        QTest::qWait(300);
    }

    std::printf("page switches, %s renderer, worst of %d rounds\n",
                qUtf8Printable(QQuickWindow::sceneGraphBackend().isEmpty() ? QStringLiteral("OpenGL")
                                                                              : QQuickWindow::sceneGraphBackend()),
                kRounds);
    std::printf("%-28s %16s %8s %15s %8s %15s %8s\n", "switch", "to last frame", "frames", "longest frame", "ratio",
                "longest wait", "ratio");
    double worst = 0;
    for (const Switch &s : switches) {
        std::printf("%-28s %13.0f ms %8d %12.1f ms %8.2f %12.1f ms %8.2f\n", s.name, s.lastFrameMs, s.frames,
                    s.longestFrameMs, s.longestFrameMs / kFrameBudgetMs, s.longestWaitMs,
                    s.longestWaitMs / kFrameBudgetMs);
        worst = std::max(worst, s.longestFrameMs);
    }
    std::printf("longest frame of any switch: %.1f ms, ratio %.2f to the budget (no frame over %.0f ms)\n", worst,
                worst / kFrameBudgetMs, kFrameBudgetMs);
    return 0;
}
