#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Synthesises the application's sounds into modules/media/.

  00.mp3  background track, a 6-second loop (four soft chords with a plucked arpeggio)
  01.wav  start-up chime
  02.wav  page and menu change
  03.wav  click on the maker's logo
  04.wav  button click

All sounds are mono, 44.1 kHz, 16-bit. The output is deterministic, so regenerating
changes no committed byte unless this script changes. The WAV files need only the
standard library; the MP3 is encoded by the `lame` command (Debian package "lame").

Usage: tools/make_sounds.py [--out DIR]   (default: modules/media beside tools/)
"""

import argparse
import math
import os
import shutil
import subprocess
import sys
import tempfile
import wave

RATE = 44100
TWO_PI = 2.0 * math.pi

# Equal-tempered pitches used below, in Hz.
NOTE = {
    "G2": 98.00, "A2": 110.00, "C3": 130.81, "E3": 164.81, "F2": 87.31, "F3": 174.61,
    "G3": 196.00, "A3": 220.00, "B3": 246.94, "C4": 261.63, "D4": 293.66, "E4": 329.63,
    "F4": 349.23, "G4": 392.00, "A4": 440.00, "B4": 493.88, "C5": 523.25, "D5": 587.33,
    "E5": 659.25, "G5": 783.99, "C6": 1046.50, "E6": 1318.51,
}

# Background loop: one chord every 1.5 seconds, as (bass, pad notes, arpeggio notes). The loop
# stays well under 7 s: GStreamer then reads the whole file as soon as it starts, which keeps
# the span in which stopping it can stall short (see PhononSoundChannel).
LOOP_CHORDS = [
    ("A2", ["A3", "C4", "E4"], ["A4", "C5", "E5", "C5"]),
    ("F2", ["F3", "A3", "C4"], ["F4", "A4", "C5", "A4"]),
    ("C3", ["E3", "G3", "C4"], ["G4", "C5", "E5", "C5"]),
    ("G2", ["G3", "B3", "D4"], ["G4", "B4", "D5", "B4"]),
]
CHORD_SECONDS = 1.5
ARPEGGIO_STEP = CHORD_SECONDS / 4
LOOP_SECONDS = CHORD_SECONDS * len(LOOP_CHORDS)
MP3_BITRATE_KBPS = 96


def silence(seconds):
    return [0.0] * int(round(seconds * RATE))


def add_bell(buf, start, freq, seconds, decay, level, partials=((1.0, 1.0), (2.0, 0.25), (3.0, 0.06)),
             attack=0.004, wrap=False):
    """Mixes a decaying tone of harmonic partials (ratio, weight) into buf from `start` seconds.

    The attack is a raised cosine, so no tone starts with a step. With wrap, samples past the
    end of buf continue at its start (for a seamless loop)."""
    first = int(round(start * RATE))
    count = int(round(seconds * RATE))
    attack_samples = max(1, int(attack * RATE))
    for n in range(count):
        t = n / RATE
        env = math.exp(-t / decay)
        if n < attack_samples:
            env *= 0.5 - 0.5 * math.cos(math.pi * n / attack_samples)
        value = 0.0
        for ratio, weight in partials:
            value += weight * math.sin(TWO_PI * freq * ratio * t)
        index = first + n
        if wrap:
            index %= len(buf)
        elif index >= len(buf):
            break
        buf[index] += level * env * value


def fade_edges(buf, fade_in, fade_out):
    """Raised-cosine fades so that the first and the last sample are silent."""
    n_in = int(fade_in * RATE)
    n_out = int(fade_out * RATE)
    for n in range(n_in):
        buf[n] *= 0.5 - 0.5 * math.cos(math.pi * n / n_in)
    for n in range(n_out):
        buf[len(buf) - 1 - n] *= 0.5 - 0.5 * math.cos(math.pi * n / n_out)


def normalise(buf, peak):
    top = max(abs(v) for v in buf)
    return [v * peak / top for v in buf]


def background_loop():
    """Pad, bass and plucked arpeggio; every chord's envelope is periodic over the loop, so the
    end of the track runs into its start."""
    buf = silence(LOOP_SECONDS)
    total = len(buf)
    crossfade = 0.3  # seconds each chord overlaps its neighbours
    for index, (bass, pad, arpeggio) in enumerate(LOOP_CHORDS):
        centre = (index + 0.5) * CHORD_SECONDS
        half = CHORD_SECONDS / 2 + crossfade
        voices = [(NOTE[bass], 0.55)] + [(NOTE[name], 0.30) for name in pad]
        for n in range(total):
            t = n / RATE
            # distance from the chord's centre, measured around the loop
            d = abs((t - centre + LOOP_SECONDS / 2) % LOOP_SECONDS - LOOP_SECONDS / 2)
            if d >= half:
                continue
            env = 1.0 if d <= half - 2 * crossfade else 0.5 + 0.5 * math.cos(
                math.pi * (d - (half - 2 * crossfade)) / (2 * crossfade))
            value = 0.0
            for freq, weight in voices:
                # a slow tremolo per voice keeps the pad from sounding static
                wobble = 1.0 + 0.08 * math.sin(TWO_PI * 0.5 * t + freq)
                value += weight * wobble * (math.sin(TWO_PI * freq * t)
                                            + 0.18 * math.sin(TWO_PI * 2 * freq * t))
            buf[n] += 0.22 * env * value
        for step, name in enumerate(arpeggio):
            add_bell(buf, index * CHORD_SECONDS + step * ARPEGGIO_STEP, NOTE[name], 1.2, 0.28, 0.18,
                     attack=0.006, wrap=True)
    out = normalise(buf, 0.25)
    fade_edges(out, 0.004, 0.004)
    return out


def startup_chime():
    buf = silence(1.0)
    for step, name in enumerate(["C5", "E5", "G5", "C6"]):
        add_bell(buf, 0.085 * step, NOTE[name], 1.0, 0.30, 1.0 if step < 3 else 1.3)
    out = normalise(buf, 0.5)
    fade_edges(out, 0.0, 0.15)
    return out


def page_change():
    buf = silence(0.14)
    add_bell(buf, 0.0, NOTE["G5"], 0.14, 0.035, 1.0, attack=0.003)
    add_bell(buf, 0.045, NOTE["C6"], 0.10, 0.035, 1.0, attack=0.003)
    out = normalise(buf, 0.4)
    fade_edges(out, 0.0, 0.02)
    return out


def logo_click():
    buf = silence(0.35)
    add_bell(buf, 0.0, NOTE["E6"], 0.35, 0.09, 1.0, partials=((1.0, 1.0), (2.0, 0.15)))
    add_bell(buf, 0.0, NOTE["E5"], 0.35, 0.12, 0.6, partials=((1.0, 1.0),))
    out = normalise(buf, 0.45)
    fade_edges(out, 0.0, 0.05)
    return out


def button_click():
    """A soft tick: a short mid-range body under a quicker, higher top."""
    buf = silence(0.06)
    add_bell(buf, 0.0, 620.0, 0.06, 0.012, 1.0, partials=((1.0, 1.0),), attack=0.0015)
    add_bell(buf, 0.0, 1240.0, 0.06, 0.007, 0.6, partials=((1.0, 1.0),), attack=0.0015)
    out = normalise(buf, 0.4)
    fade_edges(out, 0.0, 0.01)
    return out


def write_wav(path, samples):
    frames = bytearray()
    for v in samples:
        frames += int(round(max(-1.0, min(1.0, v)) * 32767)).to_bytes(2, "little", signed=True)
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(bytes(frames))


def write_mp3(path, samples):
    lame = shutil.which("lame")
    if lame is None:
        sys.exit("make_sounds: the 'lame' command is missing (Debian package 'lame')")
    with tempfile.TemporaryDirectory() as tmp:
        source = os.path.join(tmp, "loop.wav")
        write_wav(source, samples)
        subprocess.run([lame, "--silent", "-m", "m", "-b", str(MP3_BITRATE_KBPS), "--cbr", "-q", "2",
                        source, path], check=True)


SOUNDS = [
    ("00.mp3", background_loop, write_mp3),
    ("01.wav", startup_chime, write_wav),
    ("02.wav", page_change, write_wav),
    ("03.wav", logo_click, write_wav),
    ("04.wav", button_click, write_wav),
]


def main():
    default_out = os.path.join(os.path.dirname(os.path.abspath(__file__)), os.pardir, "modules", "media")
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", default=os.path.normpath(default_out), help="output folder")
    args = parser.parse_args()
    os.makedirs(args.out, exist_ok=True)
    for name, make, write in SOUNDS:
        path = os.path.join(args.out, name)
        write(path, make())
        print(f"{path}: {os.path.getsize(path)} bytes")


if __name__ == "__main__":
    main()
