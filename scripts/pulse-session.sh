#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts or stops the PulseAudio server that the tests use as the real sound path:
# a null sink at 22050 Hz mono s16le whose monitor is the default source, so that
# what paplay plays into the sink is what a capture from the default input records.
# ALSA's "default" device (and so its control device) is then the server's.
#   scripts/pulse-session.sh start | stop
set -u
action=${1:-start}
export PULSE_RUNTIME_PATH=${PULSE_RUNTIME_PATH:-/tmp/kelmot-pulse}

case "$action" in
start)
  mkdir -p "$PULSE_RUNTIME_PATH"
  if pactl info >/dev/null 2>&1; then
    echo "pulse-session: server already running"
  else
    # -n: no default script; as root --system=false needs the explicit flags below.
    pulseaudio --start --exit-idle-time=-1 -n \
      --load="module-native-protocol-unix" \
      --load="module-null-sink sink_name=kelmot_sink rate=22050 channels=1 format=s16le sink_properties=device.description=Kelmot-Testsenke" \
      --log-target=stderr 2>/tmp/kelmot-pulse.log || { cat /tmp/kelmot-pulse.log; exit 1; }
    for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
  fi
  pactl set-default-sink kelmot_sink
  pactl set-default-source kelmot_sink.monitor
  # pactl speaks the desktop's language; the check reads its English words.
  LC_ALL=C pactl info | grep -E 'Default (Sink|Source)'
  ;;
stop)
  pulseaudio --kill 2>/dev/null || true
  ;;
*)
  echo "usage: $0 start|stop" >&2; exit 2 ;;
esac
