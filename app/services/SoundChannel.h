// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QUrl>

// One sound player as the sound logic sees it. GUI thread only.
class SoundChannel : public QObject
{
    Q_OBJECT

public:
    explicit SoundChannel(QObject *parent = nullptr);
    ~SoundChannel() override;

    // Stops playback and drops the source: the player is idle afterwards.
    virtual void clear() = 0;
    // Makes `source` the current source and starts it from the beginning. A missing or
    // unplayable file stays silent and reports nothing.
    virtual void play(const QUrl &source) = 0;

signals:
    // The current source played to its end; not emitted on clear() or on a failure.
    void finished();
};
