#!/usr/bin/env bash
# Installs the Debian packages that the build, the tests and the fuzzing need,
# only those that are missing. Needs root (or sudo) when something is missing.
# lexarium-tool parses its command line with CLI11 and reads the facts of
# recordings with libsndfile and their loudness with libebur128, and hashes
# them with OpenSSL's libcrypto; its tests read its JSON and CSV back with
# Python's own parsers.
# The fallback font lets the editor show Chinese, Japanese and Korean text,
# which the default fonts lack. Qt's translations make its own texts (file
# dialogs, context menus) German like the framework's; the start-up picture
# and the About box's picture draw their lettering in DejaVu.
# Sound goes through PulseAudio; the tests run a server with a null output
# where there is no sound hardware. The test of the installed tree checks the
# desktop entry with desktop-file-validate and the file type with the shared
# MIME database's own compiler.
# Exports and imports for translators write and read XML with libxml2; their
# tests let real consumers read what we write (translate-toolkit's xliff2po and
# its XLIFF storage, gettext's msgfmt, xmllint) and measure the hostile files
# with GNU time.
set -euo pipefail

packages=(
  g++ cmake ninja-build
  qt6-base-dev qt6-svg-dev qt6-multimedia-dev
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good
  gstreamer1.0-pulseaudio pulseaudio pulseaudio-utils
  libgtest-dev libbenchmark-dev
  pkgconf libsndfile1-dev libebur128-dev libssl-dev
  libcli11-dev
  python3
  libx11-dev
  libxml2-dev libxml2-utils
  translate-toolkit gettext time
  clang libclang-rt-14-dev
  fonts-droid-fallback
  qt6-translations-l10n fonts-dejavu-core
  desktop-file-utils shared-mime-info
)
if [ "${LEXARIUM_WITH_X:-0}" = 1 ]; then
  packages+=(xvfb xauth)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
