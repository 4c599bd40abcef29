#!/bin/sh
# SPDX-License-Identifier: MIT
# Help and the version need no display: with none at all they print and end with 0.
#   text_options_without_display.sh TOOL
set -eu
tool=$1
help=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$tool" --help)
printf '%s\n' "$help" | grep -q -- '--language'
version=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$tool" --version)
printf '%s\n' "$version" | grep -qx 'modbus-sensor-tool [0-9.]*'
