// SPDX-License-Identifier: GPL-3.0-or-later
#include "PhononSoundChannel.h"

#include "ServicesLog.h"

#include <QThread>

#include <phonon/AudioOutput>
#include <phonon/MediaObject>
#include <phonon/MediaSource>
#include <phonon/Path>

PhononSoundChannel::PhononSoundChannel(QObject *parent)
    : SoundChannel(parent)
    , m_media(new Phonon::MediaObject(this))
{
    Phonon::createPath(m_media, new Phonon::AudioOutput(Phonon::MusicCategory, this));
    m_deferLimit.setSingleShot(true);
    m_deferLimit.setInterval(deferLimitMs);
    connect(&m_deferLimit, &QTimer::timeout, this, [this] {
        qCDebug(lcServices) << "no end announced for" << m_media->currentSource().url() << "- stopping anyway";
        carryOut();
    });
    connect(m_media, &Phonon::MediaObject::aboutToFinish, this, [this] {
        const quint32 generation = m_generation;
        QTimer::singleShot(settleMs, this, [this, generation] {
            if (generation == m_generation)
                settle();
        });
    });
    connect(m_media, &Phonon::MediaObject::finished, this, &SoundChannel::finished);
    connect(m_media, &Phonon::MediaObject::stateChanged, this, [this](Phonon::State state) {
        if (state == Phonon::ErrorState)
            qCDebug(lcServices) << "cannot play" << m_media->currentSource().url() << m_media->errorString();
    });
}

PhononSoundChannel::~PhononSoundChannel()
{
    // The media object outlives this part of the channel; what it emits while being
    // destroyed must not reach the handlers above.
    m_media->disconnect(this);
    // Destroying the media object stops it, and nothing can be put off any more: give the
    // back end the moment it needs to begin its wait, which the stop then ends at once.
    if (stopMayStall())
        QThread::msleep(settleMs);
}

void PhononSoundChannel::clear()
{
    request(QUrl());
}

void PhononSoundChannel::play(const QUrl &source)
{
    request(source);
}

void PhononSoundChannel::request(const QUrl &source)
{
    m_requested = source;
    if (!stopMayStall()) {
        carryOut();
        return;
    }
    m_media->pause();
    if (!m_deferLimit.isActive())
        m_deferLimit.start();
}

void PhononSoundChannel::carryOut()
{
    m_deferLimit.stop();
    if (m_requested.isEmpty())
        m_media->clear();
    else
        start(m_requested);
}

bool PhononSoundChannel::stopMayStall() const
{
    if (m_settled)
        return false;
    const Phonon::State state = m_media->state();
    return state == Phonon::PlayingState || state == Phonon::PausedState || state == Phonon::BufferingState;
}

void PhononSoundChannel::settle()
{
    m_settled = true;
    if (m_deferLimit.isActive())
        carryOut();
}

void PhononSoundChannel::start(const QUrl &source)
{
    ++m_generation;
    m_settled = false;
    m_media->setCurrentSource(Phonon::MediaSource(source));
    m_media->play();
}
