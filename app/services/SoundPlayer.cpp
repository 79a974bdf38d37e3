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
    , m_baseDir(baseDir)
{
    for (SoundChannel *&player : m_players)
        player = makeChannel(this);
    // The background track follows the start-up sound and restarts each time it ends.
    connect(m_players[backgroundPlayer], &SoundChannel::finished, this, &SoundPlayer::playMedia_Background);
    connect(m_players[startupPlayer], &SoundChannel::finished, this, &SoundPlayer::playMedia_Background);
}

SoundChannel *SoundPlayer::player(int index) const
{
    return index >= 0 && index < playerCount ? m_players[index] : nullptr;
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
    m_players[index]->clear();
    m_players[index]->play(mediaUrl(index));
}

void SoundPlayer::playMedia_Background()
{
    m_players[backgroundPlayer]->play(mediaUrl(backgroundPlayer));
}

void SoundPlayer::clearAllMedia()
{
    for (SoundChannel *player : m_players)
        player->clear();
}
