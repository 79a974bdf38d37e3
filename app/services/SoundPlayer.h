// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QUrl>

#include <array>
#include <functional>

class SoundChannel;

// The application's five sounds: player 0 loops the background track, player 1 plays the
// start-up sound, players 2 to 4 the click and page-change cues. The scene's sound slots of
// the bridge delegate here one to one. GUI thread only.
//
// Files are looked up as "modules/media/..." below the base directory, resolved when a sound
// starts (the default "." follows the working directory). They are handed to the media
// framework as absolute file URLs: GStreamer does not play a relative one.
class SoundPlayer : public QObject
{
    Q_OBJECT

public:
    static constexpr int playerCount = 5;

    // Makes one player, owned by `parent`.
    using ChannelFactory = std::function<SoundChannel *(QObject *parent)>;

    // Plays through Phonon.
    explicit SoundPlayer(const QString &baseDir = QStringLiteral("."), QObject *parent = nullptr);
    // Plays through the players that `makeChannel` creates, in the order 0 to 4.
    SoundPlayer(const ChannelFactory &makeChannel, const QString &baseDir, QObject *parent = nullptr);

    bool audioEnabled() const { return m_audioEnabled; }
    // nullptr outside 0..4. Creates the players if they do not exist yet.
    SoundChannel *player(int index);
    // The file of player `index` as the URL handed to it; empty outside 0..4.
    QUrl mediaUrl(int index) const;

public slots:
    // Gates playMedia_Index only; sounds already playing go on.
    void setEnableAudio(bool isEnable);
    // While enabled: 0 starts the background track, 1 to 4 restart their cue; else nothing.
    void playMedia_Index(uchar index);
    // Restarts the background track whether or not sound is enabled.
    void playMedia_Background();
    // Stops every player and drops its source, players 0 to 4 in that order.
    void clearAllMedia();

private:
    // The players are made at the first sound, all five in order: starting the media framework
    // takes a fifth of a second and loads its plugins, which a silent session never needs.
    void makePlayers();

    ChannelFactory m_makeChannel;
    QString m_baseDir;
    std::array<SoundChannel *, playerCount> m_players {};
    bool m_audioEnabled = true;
};
