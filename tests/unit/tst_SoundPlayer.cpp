// SPDX-License-Identifier: GPL-3.0-or-later
#include "PhononSoundChannel.h"
#include "SoundChannel.h"
#include "SoundPlayer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

#include <phonon/BackendCapabilities>
#include <phonon/MediaObject>

#include <memory>
#include <vector>

namespace {

// Stands in for a media player: writes "<player> clear" and "<player> play <file>" into one
// log shared by all five, so the order of calls across players shows.
class RecordingChannel : public SoundChannel
{
public:
    RecordingChannel(int index, QStringList *log, QObject *parent)
        : SoundChannel(parent), m_index(index), m_log(log)
    {
    }

    void clear() override { m_log->append(QStringLiteral("%1 clear").arg(m_index)); }
    void play(const QUrl &source) override
    {
        m_log->append(QStringLiteral("%1 play %2").arg(m_index).arg(source.fileName()));
    }
    // What the media framework does when the file has played to its end.
    void reachEnd() { emit finished(); }

private:
    int m_index;
    QStringList *m_log;
};

struct RecordingSounds
{
    QStringList log;
    int created = 0;
    SoundPlayer sound { [this](QObject *parent) { return new RecordingChannel(created++, &log, parent); },
                        QStringLiteral("/opt/tarvenix") };

    RecordingChannel *player(int index) { return static_cast<RecordingChannel *>(sound.player(index)); }
};

QString shippedRoot()
{
    return QStringLiteral(TARVENIX_SOURCE_DIR);
}

QByteArray readShipped(const QString &name)
{
    QFile file(QDir(shippedRoot()).filePath("modules/media/" + name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

Phonon::MediaObject *media(SoundPlayer &sound, int index)
{
    return qobject_cast<PhononSoundChannel *>(sound.player(index))->mediaObject();
}

// Bit rates of MPEG-1 layer III in kbit/s, by the header's 4-bit index (0 free, 15 invalid).
constexpr int mp3BitRates[16] = { 0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, -1 };

} // namespace

class tst_SoundPlayer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void playMedia_Index_data();
    void playMedia_Index();
    void backgroundIgnoresTheGate();
    void endOfSound_data();
    void endOfSound();
    void silencedAndRestarted();
    void mediaUrl_data();
    void mediaUrl();
    void defaultBaseFollowsTheWorkingDirectory();
    void silentSessionMakesNoPlayers();

    void phononPlaysTheShippedSounds();
    void phononStaysQuietWithoutFiles();

    void shippedWav_data();
    void shippedWav();
    void shippedMp3();
};

void tst_SoundPlayer::initTestCase()
{
    // Silent everywhere, also on a machine with speakers: the GStreamer back end then plays
    // into a fake sink that still keeps real time.
    qputenv("PHONON_GST_AUDIOSINK", "fake");
}

// Starting the media framework is slow; a session that never sounds never starts it.
void tst_SoundPlayer::silentSessionMakesNoPlayers()
{
    RecordingSounds sounds;
    sounds.sound.setEnableAudio(false);
    sounds.sound.playMedia_Index(2);
    sounds.sound.clearAllMedia();
    QCOMPARE(sounds.created, 0);
    QCOMPARE(sounds.log, QStringList());

    sounds.sound.setEnableAudio(true);
    sounds.sound.playMedia_Index(3);
    QCOMPARE(sounds.created, SoundPlayer::playerCount);
    QCOMPARE(sounds.log, (QStringList { "3 clear", "3 play 03.wav" }));
}

void tst_SoundPlayer::playMedia_Index_data()
{
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<int>("index");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("background") << true << 0 << QStringList { "0 play 00.mp3" };
    QTest::newRow("start-up") << true << 1 << QStringList { "1 clear", "1 play 01.wav" };
    QTest::newRow("page change") << true << 2 << QStringList { "2 clear", "2 play 02.wav" };
    QTest::newRow("logo") << true << 3 << QStringList { "3 clear", "3 play 03.wav" };
    QTest::newRow("button") << true << 4 << QStringList { "4 clear", "4 play 04.wav" };
    QTest::newRow("past the last") << true << 5 << QStringList {};
    QTest::newRow("largest index") << true << 255 << QStringList {};
    QTest::newRow("disabled background") << false << 0 << QStringList {};
    QTest::newRow("disabled start-up") << false << 1 << QStringList {};
    QTest::newRow("disabled button") << false << 4 << QStringList {};
}

void tst_SoundPlayer::playMedia_Index()
{
    QFETCH(bool, enabled);
    QFETCH(int, index);
    QFETCH(QStringList, expected);

    RecordingSounds sounds;
    sounds.sound.setEnableAudio(enabled);
    sounds.sound.playMedia_Index(uchar(index));
    QCOMPARE(sounds.log, expected);
}

void tst_SoundPlayer::backgroundIgnoresTheGate()
{
    RecordingSounds sounds;
    sounds.sound.setEnableAudio(false);
    sounds.sound.playMedia_Index(1);
    sounds.sound.playMedia_Background();
    QCOMPARE(sounds.log, QStringList { "0 play 00.mp3" });
}

void tst_SoundPlayer::endOfSound_data()
{
    QTest::addColumn<int>("player");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("background loops") << 0 << QStringList { "0 play 00.mp3" };
    QTest::newRow("start-up hands over") << 1 << QStringList { "0 play 00.mp3" };
    QTest::newRow("page change") << 2 << QStringList {};
    QTest::newRow("logo") << 3 << QStringList {};
    QTest::newRow("button") << 4 << QStringList {};
}

void tst_SoundPlayer::endOfSound()
{
    QFETCH(int, player);
    QFETCH(QStringList, expected);

    RecordingSounds sounds;
    sounds.player(player)->reachEnd();
    QCOMPARE(sounds.log, expected);
    sounds.player(player)->reachEnd();
    QCOMPARE(sounds.log, expected + expected);
}

void tst_SoundPlayer::silencedAndRestarted()
{
    RecordingSounds sounds;
    sounds.sound.playMedia_Index(1);
    sounds.player(1)->reachEnd();
    sounds.log.clear();

    sounds.sound.setEnableAudio(false);
    QVERIFY(sounds.log.isEmpty());
    sounds.sound.clearAllMedia();
    QCOMPARE(sounds.log, (QStringList { "0 clear", "1 clear", "2 clear", "3 clear", "4 clear" }));
    sounds.log.clear();

    sounds.sound.playMedia_Index(0);
    sounds.sound.playMedia_Index(4);
    QVERIFY(sounds.log.isEmpty());

    sounds.sound.setEnableAudio(true);
    sounds.sound.playMedia_Index(0);
    QCOMPARE(sounds.log, QStringList { "0 play 00.mp3" });
}

void tst_SoundPlayer::mediaUrl_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("path");

    QTest::newRow("background") << 0 << "/opt/tarvenix/modules/media/00.mp3";
    QTest::newRow("start-up") << 1 << "/opt/tarvenix/modules/media/01.wav";
    QTest::newRow("button") << 4 << "/opt/tarvenix/modules/media/04.wav";
    QTest::newRow("below") << -1 << QString();
    QTest::newRow("above") << 5 << QString();
}

void tst_SoundPlayer::mediaUrl()
{
    QFETCH(int, index);
    QFETCH(QString, path);

    RecordingSounds sounds;
    const QUrl url = sounds.sound.mediaUrl(index);
    if (path.isEmpty()) {
        QVERIFY(url.isEmpty());
        return;
    }
    QCOMPARE(url.scheme(), QStringLiteral("file"));
    QCOMPARE(url.toLocalFile(), path);
}

void tst_SoundPlayer::defaultBaseFollowsTheWorkingDirectory()
{
    QTemporaryDir first;
    QTemporaryDir second;
    const QString previous = QDir::currentPath();
    QStringList log;
    SoundPlayer sound([&log](QObject *parent) { return new RecordingChannel(0, &log, parent); }, QStringLiteral("."));

    QVERIFY(QDir::setCurrent(first.path()));
    const QString inFirst = sound.mediaUrl(2).toLocalFile();
    QVERIFY(QDir::setCurrent(second.path()));
    const QString inSecond = sound.mediaUrl(2).toLocalFile();
    QVERIFY(QDir::setCurrent(previous));

    QCOMPARE(inFirst, QDir(QDir(first.path()).canonicalPath()).filePath("modules/media/02.wav"));
    QCOMPARE(inSecond, QDir(QDir(second.path()).canonicalPath()).filePath("modules/media/02.wav"));
}

void tst_SoundPlayer::phononPlaysTheShippedSounds()
{
    SoundPlayer sound(shippedRoot());
    if (Phonon::BackendCapabilities::availableMimeTypes().isEmpty())
        QSKIP("no Phonon back end installed");

    std::vector<std::unique_ptr<QSignalSpy>> ended;
    for (int i = 0; i < SoundPlayer::playerCount; ++i)
        ended.push_back(std::make_unique<QSignalSpy>(media(sound, i), &Phonon::MediaObject::finished));

    // Each cue decodes and plays to its end; the end of the start-up sound starts the loop.
    for (uchar cue = 1; cue < SoundPlayer::playerCount; ++cue)
        sound.playMedia_Index(cue);
    for (int cue = 1; cue < SoundPlayer::playerCount; ++cue)
        QTRY_COMPARE_WITH_TIMEOUT(ended[cue]->count(), 1, 5000);
    QTRY_COMPARE_WITH_TIMEOUT(media(sound, 0)->state(), Phonon::PlayingState, 5000);
    QCOMPARE(media(sound, 0)->currentSource().url(), sound.mediaUrl(0));
    QCOMPARE(ended[0]->count(), 0);

    // The background track has only just started: a stop now may be put off for a moment.
    sound.clearAllMedia();
    for (int i = 0; i < SoundPlayer::playerCount; ++i) {
        QTRY_COMPARE_WITH_TIMEOUT(media(sound, i)->currentSource().type(), Phonon::MediaSource::Empty, 2000);
        QVERIFY(media(sound, i)->state() != Phonon::PlayingState);
    }
}

void tst_SoundPlayer::phononStaysQuietWithoutFiles()
{
    QTemporaryDir empty;
    SoundPlayer sound(empty.path());
    if (Phonon::BackendCapabilities::availableMimeTypes().isEmpty())
        QSKIP("no Phonon back end installed");

    QSignalSpy backgroundEnded(media(sound, 0), &Phonon::MediaObject::finished);
    QSignalSpy startupEnded(media(sound, 1), &Phonon::MediaObject::finished);
    for (uchar cue = 0; cue < SoundPlayer::playerCount; ++cue)
        sound.playMedia_Index(cue);
    // A missing file must neither play nor end at once: an immediate end would spin the loop.
    QTest::qWait(300);
    QCOMPARE(backgroundEnded.count(), 0);
    QCOMPARE(startupEnded.count(), 0);
    for (int i = 0; i < SoundPlayer::playerCount; ++i)
        QVERIFY(media(sound, i)->state() != Phonon::PlayingState);
    sound.clearAllMedia();
}

void tst_SoundPlayer::shippedWav_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<double>("maxSeconds");

    QTest::newRow("start-up") << "01.wav" << 1.5;
    QTest::newRow("page change") << "02.wav" << 0.5;
    QTest::newRow("logo") << "03.wav" << 0.5;
    QTest::newRow("button") << "04.wav" << 0.5;
}

void tst_SoundPlayer::shippedWav()
{
    QFETCH(QString, file);
    QFETCH(double, maxSeconds);

    const QByteArray wav = readShipped(file);
    QVERIFY2(wav.size() > 44, "missing or truncated");
    const auto u16 = [&wav](int at) { return qFromLittleEndian<quint16>(wav.constData() + at); };
    const auto u32 = [&wav](int at) { return qFromLittleEndian<quint32>(wav.constData() + at); };
    QCOMPARE(wav.left(4), QByteArray("RIFF"));
    QCOMPARE(u32(4), quint32(wav.size() - 8));
    QCOMPARE(wav.mid(8, 4), QByteArray("WAVE"));

    // Chunks: "fmt " before "data"; others are skipped.
    int at = 12;
    bool format = false;
    QByteArray samples;
    while (at + 8 <= wav.size() && samples.isEmpty()) {
        const QByteArray id = wav.mid(at, 4);
        const quint32 size = u32(at + 4);
        QVERIFY2(at + 8 + qint64(size) <= wav.size(), qPrintable("chunk past the end: " + id));
        if (id == "fmt ") {
            QVERIFY(size >= 16);
            QCOMPARE(u16(at + 8), quint16(1)); // PCM
            QCOMPARE(u16(at + 10), quint16(1)); // mono
            QCOMPARE(u32(at + 12), quint32(44100));
            QCOMPARE(u32(at + 16), quint32(44100 * 2));
            QCOMPARE(u16(at + 20), quint16(2));
            QCOMPARE(u16(at + 22), quint16(16));
            format = true;
        } else if (id == "data") {
            QVERIFY2(format, "data before fmt");
            samples = wav.mid(at + 8, int(size));
        }
        at += 8 + int(size) + int(size & 1);
    }
    QVERIFY2(!samples.isEmpty() && samples.size() % 2 == 0, "no whole samples");
    QVERIFY(samples.size() / 2 <= maxSeconds * 44100);

    // Clicks at either end or clipping inside make a cue harsh.
    const int count = samples.size() / 2;
    const auto sample = [&samples](int i) { return int(qFromLittleEndian<qint16>(samples.constData() + 2 * i)); };
    QVERIFY(qAbs(sample(0)) < 1000 && qAbs(sample(count - 1)) < 1000);
    int peak = 0;
    for (int i = 0; i < count; ++i)
        peak = qMax(peak, qAbs(sample(i)));
    QVERIFY2(peak > 3000 && peak < 32000, qPrintable(QString::number(peak)));
}

void tst_SoundPlayer::shippedMp3()
{
    const QByteArray mp3 = readShipped("00.mp3");
    QVERIFY2(!mp3.isEmpty(), "missing");
    QVERIFY(mp3.size() < 200 * 1024);
    const auto byte = [&mp3](int at) { return quint8(mp3.at(at)); };

    int at = 0;
    if (mp3.startsWith("ID3") && mp3.size() >= 10) // tag size: four 7-bit bytes
        at = 10 + (byte(6) << 21 | byte(7) << 14 | byte(8) << 7 | byte(9));
    int end = mp3.size();
    if (end >= 128 && mp3.mid(end - 128, 3) == "TAG")
        end -= 128;

    // Every byte up to the end belongs to a 44.1 kHz MPEG-1 layer III frame.
    int frames = 0;
    while (at < end) {
        QVERIFY2(at + 4 <= end, qPrintable(QString("truncated header at %1").arg(at)));
        QVERIFY2(byte(at) == 0xFF && (byte(at + 1) & 0xFE) == 0xFA,
                 qPrintable(QString("no MPEG-1 layer III frame sync at %1").arg(at)));
        const int bitRate = mp3BitRates[byte(at + 2) >> 4];
        QVERIFY2(bitRate > 0, qPrintable(QString("bad bit rate at %1").arg(at)));
        QCOMPARE((byte(at + 2) >> 2) & 3, 0); // 44100 Hz
        at += 144 * 1000 * bitRate / 44100 + ((byte(at + 2) >> 1) & 1);
        ++frames;
    }
    QCOMPARE(at, end);
    // Under 7 s GStreamer reads the whole track at its start; a stop is then put off only
    // for a moment (see PhononSoundChannel).
    const double seconds = frames * 1152.0 / 44100;
    QVERIFY2(seconds >= 2 && seconds < 7, qPrintable(QString::number(seconds)));
}

QTEST_GUILESS_MAIN(tst_SoundPlayer)
#include "tst_SoundPlayer.moc"
