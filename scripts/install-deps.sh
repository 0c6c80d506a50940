#!/usr/bin/env bash
# Installs what building, running and testing Tandrel on Debian needs, and
# only what is missing: nothing is downloaded when all is present. Generates
# the zh_CN.UTF-8 locale that Wine runs the program in. Needs root (or sudo)
# only when something is missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ python3
  clang libclang-rt-14-dev          # libFuzzer
  libgtest-dev googletest libbenchmark-dev
  g++-mingw-w64-x86-64              # the Windows cross compiler
  wine wine64 xvfb x11-utils xdotool imagemagick
  locales fonts-wqy-microhei fonts-liberation   # Chinese and Arial-metric fonts
)
# The release packages: the installer (NSIS) and the help file's CHM
# compiler and lister (the Free Pascal utilities). Without their
# recommendations, which would bring the whole Free Pascal compiler.
packages_plain=(nsis fp-utils)

as_root() {
  if [ "$(id -u)" = 0 ]; then
    "$@"
  elif command -v sudo >/dev/null; then
    sudo "$@"
  else
    echo "install-deps: '$*' needs root" >&2
    return 1
  fi
}

missing_of() {
  local package status
  for package in "$@"; do
    status=$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)
    if [ "$status" != installed ]; then
      echo "$package"
    fi
  done
}
mapfile -t missing < <(missing_of "${packages[@]}")
mapfile -t missing_plain < <(missing_of "${packages_plain[@]}")

if [ ${#missing[@]} -gt 0 ] || [ ${#missing_plain[@]} -gt 0 ]; then
  echo "install-deps: installing ${missing[*]} ${missing_plain[*]}"
  export DEBIAN_FRONTEND=noninteractive
  as_root apt-get update -q
fi
if [ ${#missing[@]} -gt 0 ]; then
  # With recommends: Wine's X11 driver uses the X extension libraries they bring.
  as_root apt-get install -y -q "${missing[@]}" </dev/null
fi
if [ ${#missing_plain[@]} -gt 0 ]; then
  as_root apt-get install -y -q --no-install-recommends "${missing_plain[@]}" </dev/null
fi

# The UTF-8 Chinese locale, for LANG=zh_CN.UTF-8 under Wine.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
  echo "install-deps: generating the zh_CN.UTF-8 locale"
  if [ -f /etc/locale.gen ] && grep -q '^# *zh_CN.UTF-8 UTF-8' /etc/locale.gen; then
    as_root sed -i 's/^# *zh_CN.UTF-8 UTF-8/zh_CN.UTF-8 UTF-8/' /etc/locale.gen
  elif ! grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null; then
    echo 'zh_CN.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
  fi
  as_root locale-gen >/dev/null
fi
