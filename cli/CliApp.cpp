// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliApp.h"

#include "DeviceLock.h"
#include "FrameTrace.h"
#include "HidApiSelection.h"
#include "Installation.h"
#include "KeyMap.h"
#include "MacroEncoder.h"
#include "MacroLibrary.h"
#include "SimulatedKeyboard.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>

#include <cstdio>

namespace {

// The scene's macro slots.
constexpr int kMacroSlots = 35;

QJsonArray jsonArray(const QVariantList &values)
{
    return QJsonArray::fromVariantList(values);
}

QString profileList(const QList<int> &profiles)
{
    QStringList names;
    for (const int p : profiles)
        names << QString::number(p);
    return names.isEmpty() ? QStringLiteral("none") : names.join(QStringLiteral(", "));
}

} // namespace

const CliApp::Command CliApp::kCommands[] = {
    {"list", "list", "the keyboards found: path, layout, firmware version", 0, 0, &CliApp::list},
    {"get", "get NAME [INDEX]", "prints a setting, in the form set takes", 1, 2, &CliApp::get},
    {"set", "set NAME VALUE...", "writes a setting (and reads it back)", 2, 5, &CliApp::set},
    {"apply", "apply PROFILE.pf [--profile N]",
     "sends a profile file's key matrix, user pictures and lighting mode to profile N (default: the current one)",
     1, 1, &CliApp::apply},
    {"dump", "dump [FILE]", "reads the current profile into a profile file the application can import", 0, 1,
     &CliApp::dump},
    {"macro", "macro send NAME SLOT", "encodes macro NAME of the library and sends it to slot SLOT (0..34)", 3, 3,
     &CliApp::macro},
    {"backup", "backup FILE", "every profile of the keyboard into FILE", 1, 1, &CliApp::backup},
    {"restore", "restore FILE", "every profile from FILE back to the keyboard", 1, 1, &CliApp::restore},
};

CliApp::CliApp(const QString &binDir, const QProcessEnvironment &environment)
    : m_binDir(binDir)
    , m_environment(environment)
    , m_out(stdout)
{
}

CliApp::~CliApp()
{
    // The session's link goes before the device it talks through.
    m_session.reset();
}

QString CliApp::helpText()
{
    QString text = QStringLiteral(
        "Usage: tarvenix-cli [OPTIONS] COMMAND [ARGUMENTS]\n"
        "Scripts the Norvane KALVOR Keyboard 4200.\n\nCommands:\n");
    for (const Command &command : kCommands)
        text += QStringLiteral("  %1\n      %2\n").arg(QLatin1String(command.synopsis), QLatin1String(command.summary));
    text += QStringLiteral(
        "\nOptions:\n"
        "  --device simulated  the simulated keyboard instead of the hardware\n"
        "  --layout US|UK      the keyboard's layout (default: from its release number)\n"
        "  --json              machine-readable output of list, get and dump\n"
        "  --verbose           shows every report sent to and received from the keyboard\n"
        "  --no-verify         apply, restore and set do not read back what they wrote\n"
        "  --wait[=SECONDS]    waits for another program to let go of the keyboard (default %1 s)\n"
        "  --profile N         apply: the profile to write, 1..10\n"
        "  -h, --help          this text\n"
        "\nSettings (get NAME, set NAME VALUE...; profiles are 1..10):\n").arg(CommandLine::kDefaultWaitSeconds);
    text += SettingTable::help();
    text += QStringLiteral("\nExit codes:\n");
    for (const ExitCodeText &code : kExitCodes)
        text += QStringLiteral("  %1  %2\n").arg(int(code.code), 2).arg(QLatin1String(code.meaning));
    text += QStringLiteral(
        "\nEnvironment:\n"
        "  TARVENIX_INSTALLATION  the folder that holds the US and UK builds (default: found beside\n"
        "                         this program, or in ../libexec/tarvenix or ../lib/tarvenix)\n"
        "  XDG_RUNTIME_DIR        holds the keyboard's lock (tarvenix/device.lock) and the simulated\n"
        "                         keyboard's state\n");
    return text;
}

ExitCode CliApp::run(const QStringList &arguments)
{
    auto parsed = CommandLine::parse(arguments);
    Outcome outcome;
    if (const Failure *failure = std::get_if<Failure>(&parsed)) {
        outcome = *failure;
    } else {
        m_line = std::get<CommandLine>(parsed);
        if (m_line.help) {
            m_out << helpText();
            return ExitCode::Ok;
        }
        const QString name = m_line.arguments.value(0);
        const QStringList rest = m_line.arguments.mid(1);
        const Command *command = nullptr;
        for (const Command &c : kCommands) {
            if (name == QLatin1String(c.name))
                command = &c;
        }
        if (!command)
            outcome = Failure{ExitCode::Usage, name.isEmpty() ? QStringLiteral("no command given (see tarvenix-cli --help)")
                                                              : QStringLiteral("unknown command %1 (see tarvenix-cli --help)").arg(name)};
        else if (rest.size() < command->minArguments || rest.size() > command->maxArguments)
            outcome = Failure{ExitCode::Usage, QStringLiteral("usage: tarvenix-cli %1").arg(QLatin1String(command->synopsis))};
        else if (m_line.profile && name != QLatin1String("apply"))
            outcome = Failure{ExitCode::Usage, QStringLiteral("--profile belongs to apply")};
        else
            outcome = (this->*command->run)(rest);
    }
    m_out.flush();
    if (!outcome)
        return ExitCode::Ok;
    std::fprintf(stderr, "tarvenix-cli: %s\n", qUtf8Printable(outcome->message));
    return outcome->code;
}

HidApi &CliApp::hidApi()
{
    if (m_line.simulated)
        qputenv("TARVENIX_DEVICE", "simulated");
    HidApi &api = selectHidApi(m_line.layout == QLatin1String("UK") ? SimulatedKeyboard::kReleaseUK
                                                                    : SimulatedKeyboard::kReleaseUS);
    if (!m_line.verbose)
        return api;
    if (!m_trace)
        m_trace = std::make_unique<FrameTrace>(api, stderr);
    return *m_trace;
}

KeyboardSession::Outcome CliApp::openKeyboard()
{
    // Taken before the simulated keyboard reads its state: whoever held the lock has written it.
    m_lock = std::make_unique<DeviceLock>(DeviceLock::defaultPath(m_environment));
    switch (m_lock->lock(m_line.waitSeconds * 1000)) {
    case DeviceLock::Result::Taken: break;
    case DeviceLock::Result::Busy:
        return Failure{ExitCode::Busy, QStringLiteral("another program (the Tarvenix application?) is using the keyboard; "
                                                      "close it, or use --wait")};
    case DeviceLock::Result::Failed:
        return Failure{ExitCode::NoAccess, QStringLiteral("cannot take the keyboard's lock: %1").arg(m_lock->errorString())};
    }
    HidApi &api = hidApi();
    const QList<KeyboardSession::Keyboard> keyboards = KeyboardSession::enumerate(api);
    if (keyboards.isEmpty())
        return Failure{ExitCode::NoKeyboard, QStringLiteral("no keyboard found (is it plugged in?)")};
    QString layout = m_line.layout;
    if (layout.isEmpty())
        layout = KeyboardSession::layoutOf(keyboards.constLast().release);
    if (layout.isEmpty())
        return Failure{ExitCode::Usage, QStringLiteral("cannot tell the keyboard's layout from its release number 0x%1; "
                                                       "give --layout US or UK")
                                            .arg(keyboards.constLast().release, 4, 16, QLatin1Char('0'))};
    const QString build = Installation::findLayoutBuild(m_binDir, layout, m_environment);
    if (build.isEmpty())
        return Failure{ExitCode::Installation,
                       QStringLiteral("no %1 installation of Tarvenix found (looked in %2)")
                           .arg(layout, Installation::candidates(m_binDir, layout, m_environment).join(QStringLiteral(", ")))};
    m_dataDir = Installation::dataDirectory(build, QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation),
                                            m_environment.value(QStringLiteral("PROGRAMFILES")));
    if (Outcome failure = Installation::openGate(m_dataDir))
        return failure;
    m_keyMap = std::make_unique<KeyMap>(layout == QLatin1String("UK") ? KeyMap::Layout::UK : KeyMap::Layout::US, m_dataDir);
    m_session = std::make_unique<KeyboardSession>(api, *m_keyMap, m_line.verify);
    return m_session->connect();
}

KeyboardSession::Outcome CliApp::onProfile(int profile, int current, const std::function<Outcome()> &body)
{
    if (profile != current) {
        if (Outcome failure = m_session->switchProfile(profile))
            return failure;
    }
    Outcome outcome = body();
    if (profile != current && !(outcome && outcome->code == ExitCode::NoAnswer)) {
        if (Outcome failure = m_session->switchProfile(current))
            return outcome ? outcome : failure;
    }
    return outcome;
}

// --- commands -------------------------------------------------------------------------------

KeyboardSession::Outcome CliApp::list(const QStringList &)
{
    QJsonArray rows;
    if (Outcome failure = openKeyboard(); failure && failure->code != ExitCode::NoKeyboard)
        return failure;
    const QList<KeyboardSession::Keyboard> keyboards = KeyboardSession::enumerate(hidApi());
    for (int i = 0; i < keyboards.size(); ++i) {
        const KeyboardSession::Keyboard &k = keyboards.at(i);
        // The device link talks to the last keyboard found; the others are only listed.
        const QString firmware = i == keyboards.size() - 1 && m_session ? m_session->firmwareVersion()
                                                                        : QStringLiteral("unknown");
        const QString layout = KeyboardSession::layoutOf(k.release);
        if (m_line.json)
            rows.append(QJsonObject{{"path", k.commandPath}, {"layout", layout}, {"release", int(k.release)},
                                    {"firmware", firmware}});
        else
            m_out << k.commandPath << '\t' << (layout.isEmpty() ? QStringLiteral("unknown") : layout) << '\t'
                  << firmware << '\n';
    }
    if (m_line.json)
        m_out << QJsonDocument(rows).toJson(QJsonDocument::Compact) << '\n';
    return std::nullopt;
}

KeyboardSession::Outcome CliApp::settingOf(const QStringList &arguments, bool selectorOnly,
                                           const SettingTable::Setting *&setting, SettingTable::Values &values)
{
    setting = SettingTable::find(arguments.at(0));
    if (!setting)
        return Failure{ExitCode::Usage, QStringLiteral("no setting %1 (see tarvenix-cli --help)").arg(arguments.at(0))};
    QString error;
    const std::optional<SettingTable::Values> parsed = SettingTable::parse(*setting, arguments.mid(1), selectorOnly, error);
    if (!parsed)
        return Failure{ExitCode::BadValue, error + QStringLiteral("; nothing was sent")};
    values = *parsed;
    return std::nullopt;
}

KeyboardSession::Outcome CliApp::get(const QStringList &arguments)
{
    const SettingTable::Setting *setting = nullptr;
    SettingTable::Values selector;
    if (Outcome failure = settingOf(arguments, true, setting, selector))
        return failure;
    if (!setting->read)
        return Failure{ExitCode::Usage, QStringLiteral("%1 cannot be read from the keyboard").arg(arguments.at(0))};
    if (Outcome failure = openKeyboard())
        return failure;
    SettingTable::Values values;
    if (Outcome failure = m_session->readSetting(*setting, selector, values))
        return failure;
    const std::vector<SettingTable::Field> fields = SettingTable::allFields(*setting);
    QJsonObject object{{"setting", QLatin1String(setting->name)}};
    QStringList texts;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const QString text = SettingTable::formatValue(fields[i], values.value(int(i)));
        texts << text;
        if (fields[i].spelling == SettingTable::Spelling::Number)
            object.insert(QLatin1String(fields[i].name), values.value(int(i)));
        else
            object.insert(QLatin1String(fields[i].name), text);
    }
    if (m_line.json)
        m_out << QJsonDocument(object).toJson(QJsonDocument::Compact) << '\n';
    else
        m_out << texts.join(QLatin1Char(' ')) << '\n';
    return std::nullopt;
}

KeyboardSession::Outcome CliApp::set(const QStringList &arguments)
{
    const SettingTable::Setting *setting = nullptr;
    SettingTable::Values values;
    if (Outcome failure = settingOf(arguments, false, setting, values))
        return failure;
    if (Outcome failure = openKeyboard())
        return failure;
    return m_session->writeSetting(*setting, values);
}

KeyboardSession::Outcome CliApp::apply(const QStringList &arguments)
{
    QString error;
    const std::optional<ProfileImage> image = ProfileFiles::load(arguments.at(0), error);
    if (!image)
        return Failure{ExitCode::BadFile, error};
    if (Outcome failure = openKeyboard())
        return failure;
    int current = 0;
    if (Outcome failure = m_session->currentProfile(current))
        return failure;
    const int profile = m_line.profile.value_or(current);
    if (Outcome failure = onProfile(profile, current, [&] { return m_session->writeProfile(*image, profile); }))
        return failure;
    m_out << QStringLiteral("profile %1 written%2\n").arg(profile).arg(m_line.verify ? QStringLiteral(" and verified") : QString());
    return std::nullopt;
}

KeyboardSession::Outcome CliApp::dump(const QStringList &arguments)
{
    const QString file = arguments.value(0);
    if (Outcome failure = openKeyboard())
        return failure;
    int current = 0;
    ProfileImage image;
    if (Outcome failure = m_session->currentProfile(current))
        return failure;
    if (Outcome failure = m_session->readProfile(image))
        return failure;
    QString error;
    if (!file.isEmpty()) {
        if (!ProfileFiles::save(file, image, error))
            return Failure{ExitCode::BadFile, error};
    } else if (m_line.json) {
        QJsonArray pictures;
        for (const QVariantList &picture : image.pictures)
            pictures.append(jsonArray(picture));
        m_out << QJsonDocument(QJsonObject{{"profile", current},
                                           {"keyMatrix", jsonArray(image.keyMatrix)},
                                           {"pictures", pictures},
                                           {"ledType", jsonArray(image.ledType)}})
                     .toJson(QJsonDocument::Compact)
              << '\n';
    } else {
        m_out << ProfileFiles::text(image);
    }
    return std::nullopt;
}

KeyboardSession::Outcome CliApp::macro(const QStringList &arguments)
{
    if (arguments.at(0) != QLatin1String("send"))
        return Failure{ExitCode::Usage, QStringLiteral("usage: tarvenix-cli macro send NAME SLOT")};
    const QString name = arguments.at(1);
    QString error;
    const std::optional<int> slot = SettingTable::parseValue({"slot", 0, kMacroSlots - 1}, arguments.at(2), error);
    if (!slot)
        return Failure{ExitCode::BadValue, error + QStringLiteral("; nothing was sent")};
    if (Outcome failure = openKeyboard())
        return failure;
    const MacroLibrary library(m_dataDir);
    if (library.config(name).isEmpty())
        return Failure{ExitCode::BadFile, QStringLiteral("no macro \"%1\" in the library %2").arg(name, library.directory())};
    const MacroEncoder::SlotImage image = MacroEncoder::forSlot(MacroEncoder::encode(library.load(name), m_keyMap->keyNameMap()));
    if (image.overflows())
        std::fprintf(stderr, "tarvenix-cli: macro \"%s\" is %d bytes; the keyboard keeps the first %d\n",
                     qUtf8Printable(name), image.encodedSize, MacroEncoder::SlotSize);
    return m_session->sendMacro(*slot, image.bytes);
}

KeyboardSession::Outcome CliApp::backup(const QStringList &arguments)
{
    if (Outcome failure = openKeyboard())
        return failure;
    ProfileFiles::Backup backup;
    if (Outcome failure = m_session->currentProfile(backup.current))
        return failure;
    for (int profile = 1; profile <= int(backup.profiles.size()); ++profile) {
        if (Outcome failure = onProfile(profile, backup.current, [&] {
                return m_session->readProfile(backup.profiles[std::size_t(profile - 1)]);
            }))
            return failure;
    }
    QString error;
    if (!ProfileFiles::saveBackup(arguments.at(0), backup, error))
        return Failure{ExitCode::BadFile, error};
    m_out << QStringLiteral("%1 profiles saved; profile %2 is current\n").arg(backup.profiles.size()).arg(backup.current);
    return std::nullopt;
}

KeyboardSession::Outcome CliApp::restore(const QStringList &arguments)
{
    QString error;
    const std::optional<ProfileFiles::Backup> backup = ProfileFiles::loadBackup(arguments.at(0), error);
    if (!backup)
        return Failure{ExitCode::BadFile, error};
    if (Outcome failure = openKeyboard())
        return failure;
    QList<int> written;
    for (int profile = 1; profile <= int(backup->profiles.size()); ++profile) {
        Outcome failure = m_session->switchProfile(profile);
        if (!failure)
            failure = m_session->writeProfile(backup->profiles[std::size_t(profile - 1)], profile);
        if (failure) {
            failure->message = QStringLiteral("restore stopped at profile %1: %2; profiles written: %3")
                                   .arg(profile).arg(failure->message, profileList(written));
            return failure;
        }
        written << profile;
    }
    if (Outcome failure = m_session->switchProfile(backup->current))
        return failure;
    m_out << QStringLiteral("%1 profiles restored; profile %2 is current\n").arg(written.size()).arg(backup->current);
    return std::nullopt;
}
