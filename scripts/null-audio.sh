# Sourced by the test script. start_null_audio makes sure the sound tests have
# an audio output on machines without sound hardware: when no PulseAudio
# server answers, it starts a private one whose only output is a null sink,
# points the tests at it (PULSE_SERVER) and stops it when the calling shell
# exits. Without pulseaudio the tests that need sound report themselves skipped.
start_null_audio() {
  if pactl info >/dev/null 2>&1; then
    return 0
  fi
  if ! command -v pulseaudio >/dev/null; then
    echo "pulseaudio is missing: the tests that play sound will be skipped" >&2
    return 0
  fi
  local dir
  dir=$(mktemp -d "${TMPDIR:-/tmp}/lexarium-audio.XXXXXX")
  # Its own home and runtime folder: nothing of the user's sound setup is read
  # or written, and a server that others started is left alone.
  HOME=$dir XDG_RUNTIME_DIR=$dir pulseaudio -n --daemonize=no --exit-idle-time=-1 \
    --use-pid-file=no --disable-shm=yes --log-level=error \
    --load="module-native-protocol-unix socket=$dir/native auth-anonymous=1" \
    --load="module-null-sink sink_name=lexarium_null" >"$dir/log" 2>&1 &
  NULL_AUDIO_PID=$!
  NULL_AUDIO_DIR=$dir
  trap 'kill "$NULL_AUDIO_PID" 2>/dev/null; wait "$NULL_AUDIO_PID" 2>/dev/null; rm -rf "$NULL_AUDIO_DIR"' EXIT
  export PULSE_SERVER="unix:$dir/native"
  local i
  for i in $(seq 50); do
    if pactl info >/dev/null 2>&1; then
      return 0
    fi
    sleep 0.1
  done
  echo "the null sound server did not start; the tests that play sound will be skipped:" >&2
  cat "$dir/log" >&2
  unset PULSE_SERVER
}
