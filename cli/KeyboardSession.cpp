// SPDX-License-Identifier: GPL-3.0-or-later
#include "KeyboardSession.h"

#include "DeviceDescriptor.h"
#include "KeyMap.h"
#include "Verification.h"

#include <QFileInfo>

namespace {

const QString kUdevHint = QStringLiteral(
    "install the udev rule (sudo cp 70-tarvenix.rules /etc/udev/rules.d/, see the README) and re-plug the keyboard");

uchar *raw(QByteArray &bytes)
{
    return reinterpret_cast<uchar *>(bytes.data());
}

QByteArray bytesOf(const QVariantList &values)
{
    QByteArray bytes;
    for (const QVariant &v : values)
        bytes.append(char(v.toInt()));
    return bytes;
}

Failure noAnswer(const QString &what)
{
    return {ExitCode::NoAnswer, QStringLiteral("the keyboard did not answer (%1)").arg(what)};
}

} // namespace

QList<KeyboardSession::Keyboard> KeyboardSession::enumerate(HidApi &api)
{
    QList<Keyboard> found;
    for (const DeviceDescriptor &d : readDeviceDescriptors()) {
        hid_device_info *devices = api.hid_enumerate(d.vid, d.pid);
        for (const hid_device_info *i = devices; i; i = i->next) {
            if (i->usage_page == d.usagePage && i->usage == d.usage)
                found.append({QString::fromLocal8Bit(i->path), i->release_number});
        }
        api.hid_free_enumeration(devices);
    }
    return found;
}

QString KeyboardSession::layoutOf(unsigned short release)
{
    switch (release >> 8) {
    case 0x33: return QStringLiteral("US");
    case 0x32: return QStringLiteral("UK");
    default: return QString();
    }
}

KeyboardSession::KeyboardSession(HidApi &api, const KeyMap &keyMap, bool verify)
    : m_api(api)
    , m_keyMap(keyMap)
    , m_verify(verify)
    , m_link(api)
{
}

KeyboardSession::Outcome KeyboardSession::connect()
{
    const QList<FoundDevice> found = m_link.enumerateDevices(readDeviceDescriptors());
    if (found.isEmpty())
        return Failure{ExitCode::NoKeyboard, QStringLiteral("no keyboard found (is it plugged in?)")};
    const QString path = m_link.commandInterfacePath();
    hid_device *device = m_api.hid_open_path(path.toLocal8Bit().constData());
    if (!device) {
        const QFileInfo node(path);
        if (node.exists() && (!node.isReadable() || !node.isWritable()))
            return Failure{ExitCode::NoAccess, QStringLiteral("no access to the keyboard at %1: %2").arg(path, kUdevHint)};
        return noAnswer(QStringLiteral("it cannot be opened"));
    }
    m_api.hid_close(device);
    m_link.startListener();
    return std::nullopt;
}

QString KeyboardSession::firmwareVersion()
{
    QString version;
    m_link.hid_80H_GetFWVersion(version);
    return version;
}

KeyboardSession::Outcome KeyboardSession::run(const char *what, const std::function<void()> &command)
{
    command();
    if (m_link.lastCommandSucceeded())
        return std::nullopt;
    return noAnswer(QLatin1String(what));
}

KeyboardSession::Outcome KeyboardSession::readSetting(const SettingTable::Setting &setting,
                                                      const SettingTable::Values &selector,
                                                      SettingTable::Values &values)
{
    if (!setting.read)
        return Failure{ExitCode::Usage, QStringLiteral("%1 cannot be read from the keyboard").arg(QLatin1String(setting.name))};
    return run(setting.name, [&] { values = setting.read(m_link, selector); });
}

KeyboardSession::Outcome KeyboardSession::writeSetting(const SettingTable::Setting &setting,
                                                       const SettingTable::Values &values)
{
    if (Outcome failure = run(setting.name, [&] { setting.send(m_link, values); }))
        return failure;
    if (!m_verify || !setting.read)
        return std::nullopt;
    SettingTable::Values back;
    const SettingTable::Values selector = values.mid(0, int(setting.selector.size()));
    if (Outcome failure = readSetting(setting, selector, back))
        return failure;
    const std::vector<SettingTable::Field> fields = SettingTable::allFields(setting);
    for (int i = 0; i < values.size(); ++i) {
        if (back.value(i) != values.at(i))
            return Failure{ExitCode::VerifyFailed,
                           QStringLiteral("verification failed: %1 %2 reads %3 instead of %4")
                               .arg(QLatin1String(setting.name), QLatin1String(fields[std::size_t(i)].name),
                                    SettingTable::formatValue(fields[std::size_t(i)], back.value(i)),
                                    SettingTable::formatValue(fields[std::size_t(i)], values.at(i)))};
    }
    return std::nullopt;
}

KeyboardSession::Outcome KeyboardSession::currentProfile(int &profile)
{
    uchar current = 0;
    if (Outcome failure = run("current profile", [&] { m_link.hid_82H_GetCurrentProfile(current); }))
        return failure;
    profile = current + 1;
    return std::nullopt;
}

KeyboardSession::Outcome KeyboardSession::switchProfile(int profile)
{
    if (Outcome failure = run("switching profiles", [&] { m_link.hid_02H_SetCurrentProfile(uchar(profile - 1)); }))
        return failure;
    int now = 0;
    if (Outcome failure = currentProfile(now))
        return failure;
    if (now != profile)
        return Failure{ExitCode::VerifyFailed,
                       QStringLiteral("verification failed: profile %1 is current instead of %2").arg(now).arg(profile)};
    return std::nullopt;
}

KeyboardSession::Outcome KeyboardSession::readProfile(ProfileImage &image)
{
    QByteArray matrix(KeyMap::BufferSize, '\0');
    if (Outcome failure = run("reading the key matrix", [&] { m_link.hid_8DH_GetKeyMatrix(raw(matrix)); }))
        return failure;
    image.keyMatrix = m_keyMap.toScene(matrix);
    for (int index = 0; index < ProfileImage::kPictures; ++index) {
        QByteArray picture(KeyMap::BufferSize, '\0');
        if (Outcome failure = run("reading a user picture",
                                  [&] { m_link.hid_92H_GetUserPicture(uchar(index), raw(picture)); }))
            return failure;
        QVariantList scene = m_keyMap.toScene(picture);
        // The scene's picture lists hold 512 values; the two unused groups are zero.
        while (!scene.isEmpty() && scene.size() < ProfileImage::kPictureValues)
            scene.append(0);
        image.pictures[std::size_t(index)] = scene;
    }
    std::array<uchar, ProfileImage::kLedTypeValues> led{};
    if (Outcome failure = run("reading the lighting mode",
                              [&] { m_link.hid_88H_GetLEDType(led[0], led[1], led[2], led[3], led[4]); }))
        return failure;
    image.ledType.clear();
    for (const uchar value : led)
        image.ledType.append(int(value));
    if (image.keyMatrix.isEmpty())
        return Failure{ExitCode::Installation, QStringLiteral("the installation's key map is damaged")};
    return std::nullopt;
}

KeyboardSession::Outcome KeyboardSession::writeProfile(const ProfileImage &image, int profile)
{
    QByteArray matrix = m_keyMap.toFirmware(image.keyMatrix, KeyMap::Table::KeyMatrix);
    std::array<QByteArray, ProfileImage::kPictures> pictures;
    for (int index = 0; index < ProfileImage::kPictures; ++index)
        pictures[std::size_t(index)] = m_keyMap.toFirmware(image.pictures[std::size_t(index)], KeyMap::Table::UserPicture);
    if (matrix.isEmpty() || std::any_of(pictures.begin(), pictures.end(), [](const QByteArray &p) { return p.isEmpty(); }))
        return Failure{ExitCode::Installation, QStringLiteral("the installation's key map is damaged")};
    const QVariantList &led = image.ledType;

    if (Outcome failure = run("sending the key matrix", [&] { m_link.hid_0DH_SetKeyMatrix(raw(matrix)); }))
        return failure;
    for (int index = 0; index < ProfileImage::kPictures; ++index) {
        if (Outcome failure = run("sending a user picture", [&] {
                m_link.hid_12H_SetUserPicture(uchar(index), 0, raw(pictures[std::size_t(index)]));
            }))
            return failure;
    }
    if (Outcome failure = run("sending the lighting mode", [&] {
            m_link.hid_08H_SetLEDType(0, uchar(led[0].toInt()), uchar(led[1].toInt()), uchar(led[2].toInt()),
                                      uchar(led[3].toInt()), uchar(led[4].toInt()));
        }))
        return failure;
    if (!m_verify)
        return std::nullopt;

    // Read back with the same commands the keyboard is asked for otherwise (8DH, 92H, 88H),
    // compared in the keyboard's own order.
    QByteArray back(KeyMap::BufferSize, '\0');
    if (Outcome failure = run("reading the key matrix", [&] { m_link.hid_8DH_GetKeyMatrix(raw(back)); }))
        return failure;
    QString differs = Verification::mismatch(QStringLiteral("key matrix"), matrix, back);
    for (int index = 0; index < ProfileImage::kPictures && differs.isEmpty(); ++index) {
        QByteArray picture(KeyMap::BufferSize, '\0');
        if (Outcome failure = run("reading a user picture",
                                  [&] { m_link.hid_92H_GetUserPicture(uchar(index), raw(picture)); }))
            return failure;
        differs = Verification::mismatch(QStringLiteral("user picture %1").arg(index + 1),
                                         pictures[std::size_t(index)], picture);
    }
    if (differs.isEmpty()) {
        std::array<uchar, ProfileImage::kLedTypeValues> read{};
        if (Outcome failure = run("reading the lighting mode",
                                  [&] { m_link.hid_88H_GetLEDType(read[0], read[1], read[2], read[3], read[4]); }))
            return failure;
        differs = Verification::mismatch(QStringLiteral("lighting mode"), bytesOf(led),
                                         QByteArray(reinterpret_cast<const char *>(read.data()), int(read.size())));
    }
    if (!differs.isEmpty())
        return Failure{ExitCode::VerifyFailed,
                       QStringLiteral("verification failed: profile %1, %2").arg(profile).arg(differs)};
    return std::nullopt;
}

KeyboardSession::Outcome KeyboardSession::sendMacro(int slot, const QByteArray &slotImage)
{
    QByteArray bytes = slotImage;
    return run("sending the macro", [&] { m_link.hid_11H_SetMacroKey(uchar(slot), raw(bytes)); });
}
