#!/usr/bin/env python3
"""Writes the console's five notification sounds as 16-bit mono PCM WAV files.

The tones are synthesised here (decaying sine partials), so the files carry no third-party
material. Run from this folder after changing a recipe; the WAV files are committed.
"""
import math
import random
import struct
import wave

RATE = 22050


def bell(freq, start, length, tau, amp, partials=((1.0, 1.0), (2.0, 0.35), (3.01, 0.12))):
    """A struck tone: a few partials, each decaying faster the higher it is."""
    def sample(t):
        t -= start
        if t < 0 or t > length:
            return 0.0
        attack = min(1.0, t / 0.004)
        v = 0.0
        for ratio, weight in partials:
            v += weight * math.exp(-t * ratio / tau) * math.sin(2 * math.pi * freq * ratio * t)
        return amp * attack * v
    return sample


def click(amp):
    rnd = random.Random(7)
    noise = [rnd.uniform(-1, 1) for _ in range(RATE)]

    def sample(t):
        if t > 0.03:
            return 0.0
        env = math.exp(-t / 0.0045)
        tone = 0.7 * math.sin(2 * math.pi * 2300 * t) + 0.3 * math.sin(2 * math.pi * 3450 * t)
        return amp * env * (0.8 * tone + 0.2 * noise[int(t * RATE)])
    return sample


def buzz(freq, start, length, amp):
    """A soft square-ish pulse (odd harmonics) with short ramps, for the error sound."""
    def sample(t):
        t -= start
        if t < 0 or t > length:
            return 0.0
        ramp = min(1.0, t / 0.01, (length - t) / 0.03)
        v = sum(math.sin(2 * math.pi * freq * k * t) / k for k in (1, 3, 5, 7))
        return amp * ramp * v
    return sample


def render(name, duration, voices):
    n = int(RATE * duration)
    frames = bytearray()
    for i in range(n):
        t = i / RATE
        v = sum(voice(t) for voice in voices)
        fade = min(1.0, (n - i) / (0.02 * RATE))  # no click at the end
        v = max(-1.0, min(1.0, v * fade))
        frames += struct.pack('<h', int(v * 32000))
    with wave.open(name, 'wb') as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(bytes(frames))


C5, E5, G5, C6, E6, G6 = 523.25, 659.26, 783.99, 1046.50, 1318.51, 1567.98

render('QvClick.wav', 0.04, [click(0.35)])
render('QvSilentAlarm.wav', 1.0,
       [bell(C6, 0.00, 1.0, 0.30, 0.20), bell(E6, 0.16, 0.84, 0.30, 0.20),
        bell(G6, 0.32, 0.68, 0.30, 0.20)])
render('QvPopup.wav', 0.55, [bell(G5, 0.00, 0.55, 0.22, 0.30), bell(C6, 0.11, 0.44, 0.25, 0.30)])
render('QvWarning.wav', 0.65, [bell(E5, 0.00, 0.65, 0.28, 0.33), bell(C5, 0.16, 0.49, 0.30, 0.33)])
render('QvError.wav', 0.45, [buzz(196, 0.00, 0.14, 0.42), buzz(175, 0.20, 0.22, 0.42)])
