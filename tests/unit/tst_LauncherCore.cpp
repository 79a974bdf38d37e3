// SPDX-License-Identifier: GPL-3.0-or-later
#include "LauncherCore.h"

#include <QtTest>

#include <map>
#include <optional>

namespace {

// The system as the launcher sees it, on a clock of its own. Everything the launcher does
// to it is written to a trace, one "<ms> <what>" line per action.
class FakePlatform final : public LauncherPlatform
{
public:
    struct App
    {
        QString name;                       // US, UK, or what a foreign program is called
        std::optional<std::string> image;
    };

    std::optional<unsigned short> keyboard;
    QList<App> apps;                        // the newest last: that is the one found first
    QStringList brokenBuilds;               // builds that do not start
    std::map<std::string, std::string> settings;
    bool endedEarlier = false;
    QStringList trace;
    LauncherCore *core = nullptr;

    void endEarlierLauncher() override { endedEarlier = true; }
    bool takeOver() override { return true; }
    void prepare() override {}
    void watchArrivals() override {}
    std::optional<unsigned short> keyboardRelease() override { return keyboard; }
    const BuildNames &builds() const override { return m_builds; }

    AppLookup findApp() override
    {
        if (apps.isEmpty())
            return {};
        return {true, apps.last().image};
    }

    void closeApp() override
    {
        log(QStringLiteral("close ") + (apps.isEmpty() ? QStringLiteral("nothing") : apps.takeLast().name));
    }

    void startApp(Layout layout) override
    {
        const QString name = layoutName(layout);
        log(QStringLiteral("start ") + name);
        if (!brokenBuilds.contains(name))
            run(name);
    }

    std::string readSetting(const char *section, const char *key) override
    {
        const auto found = settings.find(settingName(section, key));
        return found == settings.end() ? std::string() : found->second;
    }

    void writeSetting(const char *section, const char *key, const char *value) override
    {
        settings[settingName(section, key)] = value;
        log(QStringLiteral("%1=%2").arg(QLatin1String(key), QLatin1String(value)));
    }

    void startTimer(LauncherTimer timer, int intervalMs) override
    {
        m_timers[timer] = {intervalMs, m_now + intervalMs};
    }

    void stopTimer(LauncherTimer timer) override { m_timers.erase(timer); }

    // The user (or another program) starts an application.
    void run(const QString &name)
    {
        static const std::map<QString, std::optional<std::string>> images = {
            {QStringLiteral("US"), "/opt/tarvenix/US/Tarvenix"},
            {QStringLiteral("UK"), "/opt/tarvenix/UK/Tarvenix"},
            {QStringLiteral("foreign"), "/opt/other/Tarvenix"},
            {QStringLiteral("hidden"), std::nullopt},   // its image cannot be read
        };
        apps.append({name, images.at(name)});
    }

    void log(const QString &what) { trace.append(QString::number(m_now) + QLatin1Char(' ') + what); }

    // Moves the clock on, firing the timers that fall due on the way, earliest first.
    void advanceTo(qint64 time)
    {
        for (;;) {
            auto next = m_timers.end();
            for (auto it = m_timers.begin(); it != m_timers.end(); ++it) {
                if (next == m_timers.end() || it->second.due < next->second.due)
                    next = it;
            }
            if (next == m_timers.end() || next->second.due > time)
                break;
            m_now = next->second.due;
            next->second.due += next->second.interval;
            core->timerFired(next->first);
        }
        m_now = time;
    }

    static QString layoutName(Layout layout)
    {
        switch (layout) {
        case Layout::US:
            return QStringLiteral("US");
        case Layout::UK:
            return QStringLiteral("UK");
        case Layout::None:
            break;
        }
        return QStringLiteral("layout %1").arg(int(layout));
    }

private:
    struct Timer
    {
        int interval;
        qint64 due;
    };

    static std::string settingName(const char *section, const char *key) { return std::string(section) + '/' + key; }

    const BuildNames m_builds{"US/Tarvenix", "UK/Tarvenix"};
    std::map<LauncherTimer, Timer> m_timers;
    qint64 m_now = 0;
};

} // namespace

class tst_LauncherCore : public QObject
{
    Q_OBJECT

private slots:
    void behaviour_data();
    void behaviour();
};

// setup: "keyboard <hex release>", "running <app>", "stored <KB_Lang text>", "broken <build>".
// events: "<ms> plug <hex release>", "<ms> run <app>", "<ms> quit" (the newest application
// ends), "<ms> look" (traces what the launcher knows). Timers due at an event's time fire first.
void tst_LauncherCore::behaviour_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("events");
    QTest::addColumn<int>("until");
    QTest::addColumn<QString>("trace");

    QTest::newRow("/kill ends the earlier launcher and starts nothing")
        << "keyboard 3300" << "/kill" << "" << 3000 << "0 exit";
    QTest::newRow("/KILL is a normal start")
        << "keyboard 3300" << "/KILL" << "" << 0 << "0 start US; 0 KB_Lang=1";

    QTest::newRow("the right build running starts nothing and keeps KB_Lang")
        << "keyboard 3300; running US; stored 2" << "" << "2500 look" << 3000
        << "2500 look keyboard=1 running=1 KB_Lang=2";
    QTest::newRow("the wrong build running at start is replaced at the first look")
        << "keyboard 3200; running US" << "" << "" << 3000
        << "1000 close US; 1200 start UK; 1200 KB_Lang=2";
    QTest::newRow("an application whose image is not a build is not counted")
        << "keyboard 3300; running foreign" << "" << "" << 3000 << "0 start US; 0 KB_Lang=1";
    QTest::newRow("one that cannot be identified leaves what was known")
        << "keyboard 3200" << "" << "500 run hidden; 1500 look" << 3000
        << "0 start UK; 0 KB_Lang=2; 1500 look keyboard=2 running=2 KB_Lang=2";

    QTest::newRow("a UK keyboard plugged while US runs: close, 200 ms, start UK")
        << "keyboard 3300; running US" << "" << "500 plug 3200; 800 look" << 3000
        << "500 close US; 700 start UK; 700 KB_Lang=2; 800 look keyboard=2 running=2 KB_Lang=2";
    QTest::newRow("an unknown release plugged in counts as US")
        << "keyboard 3200; running UK" << "" << "500 plug 4100" << 3000
        << "500 close UK; 700 start US; 700 KB_Lang=1";
    QTest::newRow("plugging the running build's layout changes nothing")
        << "keyboard 3300; running US" << "" << "500 plug 3300" << 3000 << "";
    QTest::newRow("plugging while nothing runs starts nothing")
        << "keyboard 3300" << "" << "300 quit; 1500 plug 3200; 2500 look" << 3000
        << "0 start US; 0 KB_Lang=1; 2500 look keyboard=2 running=0 KB_Lang=1";

    QTest::newRow("a closed application is noticed within a second and not restarted")
        << "keyboard 3300" << "" << "300 quit; 1000 look" << 9000
        << "0 start US; 0 KB_Lang=1; 1000 look keyboard=1 running=0 KB_Lang=1";
    QTest::newRow("a build that does not start is forgotten at the next look")
        << "keyboard 3300; broken US" << "" << "1000 look" << 9000
        << "0 start US; 0 KB_Lang=1; 1000 look keyboard=1 running=0 KB_Lang=1";

    QTest::newRow("no keyboard and no settings start US")
        << "" << "" << "" << 3000 << "0 start US; 0 KB_Lang=1";
    QTest::newRow("no keyboard: KB_Lang 2 starts UK")
        << "stored 2" << "" << "" << 3000 << "0 start UK; 0 KB_Lang=2";
    QTest::newRow("an unknown release at start counts as no keyboard")
        << "keyboard 3400; stored 2" << "" << "" << 3000 << "0 start UK; 0 KB_Lang=2";
    QTest::newRow("KB_Lang 3 counts as 1") << "stored 3" << "" << "" << 0 << "0 start US; 0 KB_Lang=1";
    QTest::newRow("KB_Lang -1 counts as 1") << "stored -1" << "" << "" << 0 << "0 start US; 0 KB_Lang=1";
    QTest::newRow("KB_Lang without a number counts as missing")
        << "stored UK" << "" << "" << 0 << "0 start US; 0 KB_Lang=1";
    QTest::newRow("KB_Lang 0 starts nothing, is stored as 1, and an application started meanwhile is closed")
        << "stored 0" << "" << "400 run US; 1500 look" << 3000
        << "0 KB_Lang=1; 1000 close US; 1200 KB_Lang=1; 1500 look keyboard=0 running=0 KB_Lang=1";
}

void tst_LauncherCore::behaviour()
{
    QFETCH(QString, setup);
    QFETCH(QString, command);
    QFETCH(QString, events);
    QFETCH(int, until);
    QFETCH(QString, trace);

    FakePlatform platform;
    LauncherCore core(platform);
    platform.core = &core;
    for (const QString &item : setup.split(QLatin1String("; "), Qt::SkipEmptyParts)) {
        const QString what = item.section(QLatin1Char(' '), 0, 0);
        const QString value = item.section(QLatin1Char(' '), 1);
        if (what == QLatin1String("keyboard"))
            platform.keyboard = value.toUShort(nullptr, 16);
        else if (what == QLatin1String("running"))
            platform.run(value);
        else if (what == QLatin1String("stored"))
            platform.settings["Setting/KB_Lang"] = value.toStdString();
        else if (what == QLatin1String("broken"))
            platform.brokenBuilds.append(value);
        else
            QFAIL(qPrintable("unknown setup: " + item));
    }

    if (!core.begin(LauncherCore::isKillCommand(command.toStdString())))
        platform.log(QStringLiteral("exit"));
    QVERIFY(platform.endedEarlier);

    for (const QString &event : events.split(QLatin1String("; "), Qt::SkipEmptyParts)) {
        const QStringList words = event.split(QLatin1Char(' '));
        platform.advanceTo(words.at(0).toLongLong());
        if (words.at(1) == QLatin1String("plug")) {
            core.keyboardArrived(words.at(2).toUShort(nullptr, 16));
        } else if (words.at(1) == QLatin1String("run")) {
            platform.run(words.at(2));
        } else if (words.at(1) == QLatin1String("quit")) {
            platform.apps.removeLast();
        } else if (words.at(1) == QLatin1String("look")) {
            platform.log(QStringLiteral("look keyboard=%1 running=%2 KB_Lang=%3")
                             .arg(int(core.layoutOfKeyboard()))
                             .arg(int(core.runningLayout()))
                             .arg(QString::fromStdString(platform.readSetting("Setting", "KB_Lang"))));
        } else {
            QFAIL(qPrintable("unknown event: " + event));
        }
    }
    platform.advanceTo(until);

    QCOMPARE(platform.trace.join(QLatin1String("; ")), trace);
}

QTEST_GUILESS_MAIN(tst_LauncherCore)
#include "tst_LauncherCore.moc"
