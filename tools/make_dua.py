#!/usr/bin/env python3
"""Synthesises the Dua sound: a calm chime of soft bell tones that rise and
settle over a low drone, about eight seconds, mono 22 050 Hz, written as a
16-bit WAV file (the build encodes it to MP3 with lame).

usage: make_dua.py OUT.wav

Only the standard library is used and no random numbers, so every build
writes the same bytes.
"""
import math
import struct
import sys
import wave

RATE = 22050
LENGTH = 8.0  # seconds

# (start second, frequency in Hz, loudness): a D-major pentatonic phrase that
# climbs and comes back to rest on the tonic.
NOTES = [
    (0.0, 293.66, 0.50),  # D4
    (0.9, 369.99, 0.42),  # F#4
    (1.8, 440.00, 0.42),  # A4
    (2.7, 493.88, 0.36),  # B4
    (3.6, 440.00, 0.38),  # A4
    (4.6, 293.66, 0.50),  # D4, the close
]
# A bell's partials relative to its fundamental and their share of the tone.
PARTIALS = [(1.0, 1.0), (2.0, 0.35), (3.01, 0.12), (4.2, 0.05)]
DECAY = 1.4  # seconds for a note to fall to 1/e


def bell(t):
    """The sum of every note sounding at time t (seconds)."""
    total = 0.0
    for start, freq, loud in NOTES:
        age = t - start
        if age < 0:
            continue
        attack = min(1.0, age / 0.04)  # 40 ms, no click
        env = loud * attack * math.exp(-age / DECAY)
        if env < 1e-4:
            continue
        for ratio, share in PARTIALS:
            # Higher partials fade sooner, as a struck bell's do.
            total += env * share * math.exp(-age * (ratio - 1) * 0.8) * \
                math.sin(2 * math.pi * freq * ratio * age)
    return total


def drone(t):
    """A quiet D3 pad that swells in and out under the chime."""
    swell = math.sin(math.pi * min(1.0, t / LENGTH)) ** 2
    return 0.10 * swell * (math.sin(2 * math.pi * 146.83 * t) +
                           0.3 * math.sin(2 * math.pi * 220.0 * t))


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    n = int(RATE * LENGTH)
    fade = int(RATE * 0.5)
    samples = [bell(i / RATE) + drone(i / RATE) for i in range(n)]
    peak = max(abs(s) for s in samples) or 1.0
    frames = bytearray()
    for i, s in enumerate(samples):
        gain = 0.7 / peak  # leave headroom for the encoder
        if i >= n - fade:
            gain *= (n - i) / fade  # end in silence
        frames += struct.pack('<h', int(round(s * gain * 32767)))
    with wave.open(sys.argv[1], 'wb') as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(bytes(frames))


if __name__ == '__main__':
    main()
