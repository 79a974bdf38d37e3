// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up figures of a program against a reference, in the X server named by DISPLAY:
// the time from start to its 1000 x 600 window being mapped, its resident memory 5 s after
// start, its CPU use while idle and its wake-ups while idle (context switches of all its
// threads, per thread). The two programs run in turns (program, reference, program, ...) so
// that a machine busy with other work slows both alike; the medians are printed with their
// ratios to the reference.
//
// Both run in a private home (data, configuration and caches of their own, made for this run)
// on the simulated keyboard, which nobody types on; one untimed start of each comes first, so
// the timed ones find the first start's copy of the data tree and the scene caches in place.
//
// Usage: bench_startup <program> <reference> [rounds, 3] [idle seconds, 60]
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <QThread>

#include <X11/Xlib.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace {

constexpr double kMappedBudget = 1.2;
constexpr double kPeerMappedMs = 405;   // a packaged Qt Widgets keyboard configurator, this machine
constexpr double kMemoryBudget = 1.15;
constexpr double kIdleCpuBudget = 0.1;  // % of a core
constexpr int kSettleSeconds = 5;       // start-up animation and first sounds

struct Figures
{
    double mappedMs = 0;
    double rssMiB = 0;
    double idleCpuPercent = 0;
    double wakeUpsPerSecond = 0;
    QMap<QByteArray, double> threadWakeUps;   // per second, by thread name and id
};

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

QByteArray readProc(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// utime + stime of a process, in clock ticks.
long cpuTicks(pid_t pid)
{
    const QList<QByteArray> fields = readProc(QStringLiteral("/proc/%1/stat").arg(pid)).split(')').last().trimmed().split(' ');
    return fields.value(11).toLong() + fields.value(12).toLong();   // fields 14 and 15 of stat
}

long statusField(const QByteArray &status, const QByteArray &name)
{
    for (const QByteArray &line : status.split('\n')) {
        if (line.startsWith(name))
            return line.mid(name.size()).trimmed().split(' ').first().toLong();
    }
    return 0;
}

double rssMiB(pid_t pid)
{
    return double(statusField(readProc(QStringLiteral("/proc/%1/status").arg(pid)), "VmRSS:")) / 1024.0;
}

// Context switches of every thread, by thread id, with the thread's name.
struct ThreadSwitches
{
    QByteArray name;
    long switches = 0;
};

QMap<QString, ThreadSwitches> threadSwitches(pid_t pid)
{
    QMap<QString, ThreadSwitches> threads;
    const QString taskDir = QStringLiteral("/proc/%1/task").arg(pid);
    for (const QString &tid : QDir(taskDir).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QByteArray status = readProc(taskDir + QLatin1Char('/') + tid + QStringLiteral("/status"));
        threads.insert(tid, {readProc(taskDir + QLatin1Char('/') + tid + QStringLiteral("/comm")).trimmed(),
                             statusField(status, "voluntary_ctxt_switches:")
                                 + statusField(status, "nonvoluntary_ctxt_switches:")});
    }
    return threads;
}

bool measure(const char *program, Display *display, int idleSeconds, Figures &figures)
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
    if (mapped && idleSeconds > 0) {
        QThread::msleep(std::max<qint64>(0, kSettleSeconds * 1000 - timer.elapsed()));
        figures.rssMiB = rssMiB(pid);
        const long ticksBefore = cpuTicks(pid);
        const QMap<QString, ThreadSwitches> before = threadSwitches(pid);
        QThread::sleep(idleSeconds);
        const long ticks = cpuTicks(pid) - ticksBefore;
        const QMap<QString, ThreadSwitches> after = threadSwitches(pid);
        figures.idleCpuPercent = 100.0 * double(ticks) / double(sysconf(_SC_CLK_TCK)) / idleSeconds;
        for (auto it = after.cbegin(); it != after.cend(); ++it) {
            const double perSecond = double(it->switches - before.value(it.key()).switches) / idleSeconds;
            // Threads of one name (the pool's, those that inherit the program's) apart, by id;
            // the main thread's id is the process id.
            const QByteArray thread = it->name + (it.key().toInt() == pid ? QByteArray(" (main)") : " " + it.key().toLatin1());
            figures.threadWakeUps[thread] += perSecond;
            figures.wakeUpsPerSecond += perSecond;
        }
    }
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
    return mapped;
}

// A home of its own for this run, shared by both programs and every round.
bool usePrivateHome(const QTemporaryDir &home)
{
    if (!home.isValid())
        return false;
    const QByteArray root = QFile::encodeName(home.path());
    for (const char *dir : {"data", "config", "cache", "runtime"})
        QDir(home.path()).mkpath(QString::fromLatin1(dir));
    QFile::setPermissions(home.filePath(QStringLiteral("runtime")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    setenv("HOME", root.constData(), 1);
    setenv("XDG_DATA_HOME", (root + "/data").constData(), 1);
    setenv("XDG_CONFIG_HOME", (root + "/config").constData(), 1);
    setenv("XDG_CACHE_HOME", (root + "/cache").constData(), 1);
    setenv("XDG_RUNTIME_DIR", (root + "/runtime").constData(), 1);
    setenv("TARVENIX_SIM_STATE", (root + "/runtime/keyboard.state").constData(), 1);
    setenv("TARVENIX_DEVICE", "simulated", 0);
    return true;
}

void printThreads(const char *who, const Figures &f)
{
    std::printf("  %s:", who);
    for (auto it = f.threadWakeUps.cbegin(); it != f.threadWakeUps.cend(); ++it) {
        if (it.value() >= 0.05)
            std::printf(" [%s] %.1f", it.key().constData(), it.value());
    }
    std::printf("\n");
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_startup <program> <reference> [rounds] [idle seconds]\n");
        return 2;
    }
    const int rounds = argc > 3 ? std::max(1, std::atoi(argv[3])) : 3;
    const int idleSeconds = argc > 4 ? std::max(1, std::atoi(argv[4])) : 60;
    QTemporaryDir home;
    if (!usePrivateHome(home)) {
        std::fprintf(stderr, "no private home\n");
        return 1;
    }
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "no X display\n");
        return 1;
    }
    std::vector<double> mapped[2], rss[2], cpu[2], wakeUps[2];
    Figures last[2];
    for (int round = -1; round < rounds; ++round) {
        for (int which = 0; which < 2; ++which) {
            Figures f;
            if (!measure(argv[1 + which], display, round < 0 ? 0 : idleSeconds, f)) {
                std::fprintf(stderr, "%s: no 1000 x 600 window\n", argv[1 + which]);
                return 1;
            }
            if (round < 0)
                continue;   // the first start: data tree copied, caches filled
            mapped[which].push_back(f.mappedMs);
            rss[which].push_back(f.rssMiB);
            cpu[which].push_back(f.idleCpuPercent);
            wakeUps[which].push_back(f.wakeUpsPerSecond);
            last[which] = f;
            std::fprintf(stderr, "round %d %s: %.0f ms, %.1f MiB, %.3f %%, %.1f wake-ups/s\n", round + 1,
                         which ? "reference" : "program", f.mappedMs, f.rssMiB, f.idleCpuPercent, f.wakeUpsPerSecond);
        }
    }
    const double pMapped = median(mapped[0]), rMapped = median(mapped[1]);
    const double pRss = median(rss[0]), rRss = median(rss[1]);
    const double pCpu = median(cpu[0]), rCpu = median(cpu[1]);
    const double pWake = median(wakeUps[0]), rWake = median(wakeUps[1]);
    std::printf("%d interleaved rounds, medians; idle figures over %d s\n", rounds, idleSeconds);
    std::printf("start to mapped window: %.0f ms, reference %.0f ms, ratio %.2f (budget <= %.2f, and below %.0f ms)\n",
                pMapped, rMapped, pMapped / rMapped, kMappedBudget, kPeerMappedMs);
    std::printf("resident memory %d s after start: %.1f MiB, reference %.1f MiB, ratio %.2f (budget <= %.2f)\n",
                kSettleSeconds, pRss, rRss, pRss / rRss, kMemoryBudget);
    std::printf("idle CPU, window shown, keyboard silent: %.3f %% of a core, reference %.3f %%, ratio %.2f (budget < %.1f %%)\n",
                pCpu, rCpu, rCpu > 0 ? pCpu / rCpu : 0.0, kIdleCpuBudget);
    std::printf("idle wake-ups (context switches, all threads): %.1f /s, reference %.1f /s, ratio %.2f\n",
                pWake, rWake, rWake > 0 ? pWake / rWake : 0.0);
    std::printf("wake-ups per second by thread, last round:\n");
    printThreads("program", last[0]);
    printThreads("reference", last[1]);
    XCloseDisplay(display);
    return 0;
}
