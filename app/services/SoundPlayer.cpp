// SPDX-License-Identifier: GPL-3.0-or-later
#include "SoundPlayer.h"

#include "PhononSoundChannel.h"

#include <QDir>

namespace {

// One file per player, relative to the base directory.
constexpr std::array<const char *, SoundPlayer::playerCount> mediaFiles {
    "modules/media/00.mp3", // background track, looped
    "modules/media/01.wav", // start-up
    "modules/media/02.wav", // page and menu changes
    "modules/media/03.wav", // the maker's logo
    "modules/media/04.wav", // button clicks
};

constexpr int backgroundPlayer = 0;
constexpr int startupPlayer = 1;

} // namespace

SoundPlayer::SoundPlayer(const QString &baseDir, QObject *parent)
    : SoundPlayer([](QObject *owner) { return new PhononSoundChannel(owner); }, baseDir, parent)
{
}

SoundPlayer::SoundPlayer(const ChannelFactory &makeChannel, const QString &baseDir, QObject *parent)
    : QObject(parent)
    , m_makeChannel(makeChannel)
    , m_baseDir(baseDir)
{
}

void SoundPlayer::makePlayers()
{
    if (m_players[0])
        return;
    for (SoundChannel *&player : m_players)
        player = m_makeChannel(this);
    // The background track follows the start-up sound and restarts each time it ends.
    connect(m_players[backgroundPlayer], &SoundChannel::finished, this, &SoundPlayer::playMedia_Background);
    connect(m_players[startupPlayer], &SoundChannel::finished, this, &SoundPlayer::playMedia_Background);
}

SoundChannel *SoundPlayer::player(int index)
{
    if (index < 0 || index >= playerCount)
        return nullptr;
    makePlayers();
    return m_players[index];
}

QUrl SoundPlayer::mediaUrl(int index) const
{
    if (index < 0 || index >= playerCount)
        return {};
    return QUrl::fromLocalFile(QDir(m_baseDir).absoluteFilePath(QLatin1String(mediaFiles[index])));
}

void SoundPlayer::setEnableAudio(bool isEnable)
{
    m_audioEnabled = isEnable;
}

void SoundPlayer::playMedia_Index(uchar index)
{
    if (!m_audioEnabled || index >= playerCount)
        return;
    if (index == backgroundPlayer) {
        playMedia_Background();
        return;
    }
    makePlayers();
    m_players[index]->clear();
    m_players[index]->play(mediaUrl(index));
}

void SoundPlayer::playMedia_Background()
{
    makePlayers();
    m_players[backgroundPlayer]->play(mediaUrl(backgroundPlayer));
}

// Players that were never made have nothing to stop.
void SoundPlayer::clearAllMedia()
{
    for (SoundChannel *player : m_players) {
        if (player)
            player->clear();
    }
}
