// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SoundChannel.h"

#include <QTimer>

namespace Phonon {
class MediaObject;
}

// A Phonon media object joined by a path to an audio output of its own (music category);
// both are children of the channel. Without an audio device the GStreamer back end plays
// into a fake sink and the channel behaves as usual.
//
// Stopping the GStreamer back end can stall the calling (GUI) thread for seconds. When the
// decoder has read a file to its end (for a short file: right after the start), the back end
// announces aboutToFinish and holds its streaming thread for the remaining play time minus
// 0.5 s, waiting for a next source. A stop issued once that wait has begun ends it at once; a
// stop issued just before makes the wait begin inside the stop, and the caller blocks for as
// long. So from a start until the announcement, plus `settleMs` for the back end to enter its
// wait, a clear or a new source pauses the player at once (silent, never blocks) and is
// carried out when that span is over, or after `deferLimitMs` if no announcement comes.
// Destruction within the span cannot be put off; it waits `settleMs` first.
class PhononSoundChannel : public SoundChannel
{
    Q_OBJECT

public:
    static constexpr int settleMs = 100;
    static constexpr int deferLimitMs = 1000;

    explicit PhononSoundChannel(QObject *parent = nullptr);
    ~PhononSoundChannel() override;

    void clear() override;
    void play(const QUrl &source) override;

    Phonon::MediaObject *mediaObject() const { return m_media; }

private:
    // An empty source clears.
    void request(const QUrl &source);
    void carryOut();
    bool stopMayStall() const;
    void settle();
    void start(const QUrl &source);

    Phonon::MediaObject *m_media;
    // Counts start() calls, so that a settling announcement of an earlier source is ignored.
    quint32 m_generation = 0;
    // The back end's wait for the current source has begun, or it has no source playing.
    bool m_settled = true;
    // The last request: play this source, or clear when it is empty.
    QUrl m_requested;
    // Runs while a request waits for the announcement to settle.
    QTimer m_deferLimit;
};
