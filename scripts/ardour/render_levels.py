#!/usr/bin/env python3
"""WAV helpers for scripts/check-in-ardour (standard library only).

  render_levels.py seconds PHRASE.wav
      print the phrase's duration in seconds, for the length of the take to record
  render_levels.py take PHRASE.wav TAKE.wav LEAD_IN_SAMPLES
      overwrite Ardour's recorded take with the phrase, shifted by the lead-in and padded with
      silence to the take's length; the same file then goes to grimbolt-host, so Ardour and
      our host play identical input
  render_levels.py compare ARDOUR.wav HOST.wav LEAD_IN_SAMPLES
      print the levels of Ardour's export and of grimbolt-host's render of the same program and
      exit 1 unless the export is stereo, finite, non-silent and within the level tolerance;
      also print the offset and the sample difference between the two after the lead-in
  render_levels.py level-difference A.wav B.wav
      print A's RMS and peak minus B's, in dB
"""

import array
import math
import struct
import sys

WAVE_FORMAT_IEEE_FLOAT = 3

# Ardour's export passes the plug-in output through unity-gain faders and a centred balance
# panner; the tolerance leaves room for its transport declick and region fades.
LEVEL_TOLERANCE_DB = 1.0
SILENCE_DBFS = -60.0
ALIGN_WINDOW = 4800
MAX_LAG = 64


class WavError(Exception):
    pass


def read_float_wav(path):
    """Returns (sample rate, list of channels) of a 32-bit float WAV file."""
    with open(path, "rb") as handle:
        data = handle.read()
    if data[0:4] != b"RIFF" or data[8:12] != b"WAVE":
        raise WavError(f"{path}: not a RIFF/WAVE file")
    fmt = None
    samples = None
    pos = 12
    while pos + 8 <= len(data):
        chunk_id, size = struct.unpack_from("<4sI", data, pos)
        body = data[pos + 8:pos + 8 + size]
        if chunk_id == b"fmt ":
            fmt = struct.unpack_from("<HHIIHH", body)
        elif chunk_id == b"data":
            samples = body
        pos += 8 + size + (size & 1)
    if fmt is None or samples is None:
        raise WavError(f"{path}: no fmt or data chunk")
    tag, channels, rate, _, _, bits = fmt
    if tag != WAVE_FORMAT_IEEE_FLOAT or bits != 32:
        raise WavError(f"{path}: format {tag} with {bits} bits, expected 32-bit float")
    values = array.array("f")
    values.frombytes(samples[:len(samples) - len(samples) % 4])
    if sys.byteorder != "little":
        values.byteswap()
    return rate, [values[c::channels] for c in range(channels)]


def write_float_wav(path, rate, mono):
    payload = mono.tobytes() if sys.byteorder == "little" else _swapped(mono).tobytes()
    header = (b"RIFF" + struct.pack("<I", 4 + 24 + 12 + 8 + len(payload)) + b"WAVE"
              + b"fmt " + struct.pack("<IHHIIHH", 16, WAVE_FORMAT_IEEE_FLOAT, 1, rate, rate * 4, 4, 32)
              + b"fact" + struct.pack("<II", 4, len(mono))
              + b"data" + struct.pack("<I", len(payload)))
    with open(path, "wb") as handle:
        handle.write(header + payload)


def _swapped(values):
    copy = array.array("f", values)
    copy.byteswap()
    return copy


def to_db(value):
    return 20.0 * math.log10(value) if value > 0.0 else -math.inf


def peak_and_rms(channel):
    peak = max((abs(v) for v in channel), default=0.0)
    rms = math.sqrt(math.fsum(v * v for v in channel) / len(channel)) if channel else 0.0
    return peak, rms


def best_lag(ardour, host):
    """Offset of Ardour's export against the host render, from a window around the host's peak."""
    centre = max(range(len(host)), key=lambda i: abs(host[i]))
    first = max(centre - ALIGN_WINDOW // 2, MAX_LAG)
    last = min(centre + ALIGN_WINDOW // 2, len(host) - MAX_LAG, len(ardour) - MAX_LAG)

    def misfit(lag):
        return math.fsum((ardour[i + lag] - host[i]) ** 2 for i in range(first, last))
    return min(range(-MAX_LAG, MAX_LAG + 1), key=misfit)


def make_take(phrase_path, take_path, lead_in):
    rate, phrase = read_float_wav(phrase_path)
    take_rate, take = read_float_wav(take_path)
    if len(phrase) != 1 or len(take) != 1:
        raise WavError("the phrase and the take must both be mono")
    if rate != take_rate:
        raise WavError(f"the phrase is at {rate} Hz, the take at {take_rate} Hz")
    length = len(take[0])
    if lead_in + len(phrase[0]) > length:
        raise WavError(f"the take has {length} samples, too short for {lead_in} + {len(phrase[0])}")
    mono = array.array("f", bytes(4 * lead_in))
    mono.extend(phrase[0])
    mono.extend(array.array("f", bytes(4 * (length - len(mono)))))
    write_float_wav(take_path, rate, mono)
    print(f"take: {lead_in} samples of silence, the {len(phrase[0])}-sample phrase, "
          f"silence to {length} samples at {rate} Hz")


def print_levels(label, channels):
    levels = []
    for index, channel in enumerate(channels):
        peak, rms = peak_and_rms(channel)
        levels.append((to_db(peak), to_db(rms)))
        print(f"  {label:18} {index:>7} {len(channel):>8} {to_db(peak):>10.2f} {to_db(rms):>9.2f}")
    return levels


def compare(ardour_path, host_path, lead_in):
    ardour_rate, ardour = read_float_wav(ardour_path)
    host_rate, host = read_float_wav(host_path)
    problems = []
    if ardour_rate != host_rate:
        problems.append(f"Ardour exported at {ardour_rate} Hz, the host rendered at {host_rate} Hz")
    if len(ardour) != 2:
        problems.append(f"Ardour exported {len(ardour)} channels, expected 2")
    non_finite = sum(1 for channel in ardour for v in channel if not math.isfinite(v))
    if non_finite:
        problems.append(f"Ardour's export holds {non_finite} non-finite samples")

    print(f"  {'':18} {'channel':>7} {'frames':>8} {'peak dBFS':>10} {'RMS dBFS':>9}")
    host_levels = print_levels("grimbolt-host", host)
    ardour_levels = print_levels("Ardour", ardour)
    if problems:
        for problem in problems:
            print(f"  FAIL: {problem}")
        return 1

    for index, (peak_db, rms_db) in enumerate(ardour_levels):
        host_peak_db, host_rms_db = host_levels[min(index, len(host_levels) - 1)]
        if peak_db < SILENCE_DBFS:
            problems.append(f"Ardour's channel {index} is silent (peak {peak_db:.1f} dBFS)")
        if abs(peak_db - host_peak_db) > LEVEL_TOLERANCE_DB:
            problems.append(f"channel {index} peak differs by {peak_db - host_peak_db:+.2f} dB")
        if abs(rms_db - host_rms_db) > LEVEL_TOLERANCE_DB:
            problems.append(f"channel {index} RMS differs by {rms_db - host_rms_db:+.2f} dB")

    # The input is silent during the lead-in, so whatever comes out there is the plug-in's own.
    print(f"  silent lead-in ({lead_in} samples), peak: grimbolt-host "
          f"{to_db(peak_and_rms(host[0][:lead_in])[0]):.1f} dBFS, Ardour {to_db(peak_and_rms(ardour[0][:lead_in])[0]):.1f} dBFS")
    lag = best_lag(ardour[0], host[0])
    first = max(lead_in, -lag)
    last = min(len(host[0]), len(ardour[0]) - lag)
    difference = [ardour[0][i + lag] - host[0][i] for i in range(first, last)]
    _, difference_rms = peak_and_rms(difference)
    _, signal_rms = peak_and_rms(host[0][first:last])
    print(f"  Ardour's export is offset by {lag} samples; after the lead-in the difference is "
          f"{to_db(difference_rms) - to_db(signal_rms):.1f} dB against the signal, largest "
          f"{max(abs(v) for v in difference):.3g}")

    for problem in problems:
        print(f"  FAIL: {problem}")
    return 1 if problems else 0


def level_difference(path, reference_path):
    """Informational: how far one render's levels are from another's, in dB (RMS, peak)."""
    _, channels = read_float_wav(path)
    _, reference = read_float_wav(reference_path)
    peak, rms = peak_and_rms(channels[0])
    reference_peak, reference_rms = peak_and_rms(reference[0])
    print(f"{to_db(rms) - to_db(reference_rms):+.2f} {to_db(peak) - to_db(reference_peak):+.2f}")
    return 0


def main(argv):
    try:
        if len(argv) == 3 and argv[1] == "seconds":
            rate, channels = read_float_wav(argv[2])
            print(len(channels[0]) / rate)
            return 0
        if len(argv) == 5 and argv[1] == "take":
            make_take(argv[2], argv[3], int(argv[4]))
            return 0
        if len(argv) == 5 and argv[1] == "compare":
            return compare(argv[2], argv[3], int(argv[4]))
        if len(argv) == 4 and argv[1] == "level-difference":
            return level_difference(argv[2], argv[3])
    except (OSError, WavError) as error:
        print(f"render_levels: {error}", file=sys.stderr)
        return 1
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
