// SPDX-License-Identifier: GPL-3.0-or-later
#include "SoundChannel.h"

SoundChannel::SoundChannel(QObject *parent)
    : QObject(parent)
{
}

SoundChannel::~SoundChannel() = default;
