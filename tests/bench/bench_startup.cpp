// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up figures of a program against a reference, in the X server named by DISPLAY:
// the time from start to its 1000 x 600 window being mapped, its resident memory once started,
// and its CPU use while idle. Each program runs several times; the medians are printed with
// their ratios to the reference.
//
// Usage: bench_startup <program> <reference> [runs]   (run both with the same environment)
#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <X11/Xlib.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace {

struct Figures
{
    double mappedMs = 0;
    double rssMiB = 0;
    double idleCpuPercent = 0;
};

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// utime + stime of a process, in clock ticks.
long cpuTicks(pid_t pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = stat.readAll().split(')').last().trimmed().split(' ');
    return fields.value(11).toLong() + fields.value(12).toLong();   // fields 14 and 15 of stat
}

double rssMiB(pid_t pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return 0;
}

bool measure(const char *program, Display *display, Figures &figures)
{
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, True);
    QElapsedTimer timer;
    timer.start();
    pid_t pid = 0;
    char *argv[] = {const_cast<char *>(program), nullptr};
    if (posix_spawn(&pid, program, nullptr, nullptr, argv, environ) != 0)
        return false;
    bool mapped = false;
    while (!mapped && timer.elapsed() < 30000) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type != MapNotify)
                continue;
            XWindowAttributes attributes;
            if (XGetWindowAttributes(display, event.xmap.window, &attributes)
                && attributes.width == 1000 && attributes.height == 600) {
                figures.mappedMs = double(timer.nsecsElapsed()) / 1e6;
                mapped = true;
            }
        }
        QThread::usleep(200);
    }
    if (mapped) {
        QThread::sleep(5);                      // start-up animation and first sounds
        figures.rssMiB = rssMiB(pid);
        const long before = cpuTicks(pid);
        QThread::sleep(10);
        const long ticks = cpuTicks(pid) - before;
        figures.idleCpuPercent = 100.0 * double(ticks) / double(sysconf(_SC_CLK_TCK)) / 10.0;
    }
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
    return mapped;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_startup <program> <reference> [runs]\n");
        return 2;
    }
    const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 5;
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "no X display\n");
        return 1;
    }
    Figures result[2];
    for (int which = 0; which < 2; ++which) {
        std::vector<double> mapped, rss, cpu;
        for (int run = 0; run < runs; ++run) {
            Figures f;
            if (!measure(argv[1 + which], display, f)) {
                std::fprintf(stderr, "%s: no 1000 x 600 window\n", argv[1 + which]);
                return 1;
            }
            mapped.push_back(f.mappedMs);
            rss.push_back(f.rssMiB);
            cpu.push_back(f.idleCpuPercent);
        }
        result[which] = {median(mapped), median(rss), median(cpu)};
    }
    const Figures &p = result[0], &r = result[1];
    std::printf("start to mapped window: %.0f ms, reference %.0f ms, ratio %.2f (budget <= 1.5)\n",
                p.mappedMs, r.mappedMs, p.mappedMs / r.mappedMs);
    std::printf("resident memory after start: %.1f MiB, reference %.1f MiB, ratio %.2f (budget <= 1.3)\n",
                p.rssMiB, r.rssMiB, p.rssMiB / r.rssMiB);
    std::printf("idle CPU, window shown, keyboard silent: %.2f %% of a core, reference %.2f %% (budget < 0.5 %%)\n",
                p.idleCpuPercent, r.idleCpuPercent);
    XCloseDisplay(display);
    return 0;
}
