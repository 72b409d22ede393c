#!/usr/bin/env bash
# Brings every package the builds and tests need onto a Debian 12 machine (run as root).
# Idempotent: when everything is present it only checks and returns.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang-14 libclang-rt-14-dev clang-format-14
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  g++-mingw-w64-i686 binutils-mingw-w64-i686
  g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64
  wine wine64 fonts-wine xvfb x11-utils xdotool imagemagick locales procps python3
)

# 32-bit Wine, wherever dpkg takes it: harmless on a machine that cannot
# execute it, where the tests run under 64-bit Wine alone.
win32_packages=(wine32:i386)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

missing32=()
for p in "${win32_packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing32+=("$p")
done

if [ ${#missing[@]} -gt 0 ] || [ ${#missing32[@]} -gt 0 ]; then
  echo "install-deps: installing ${missing[*]} ${missing32[*]}"
  export DEBIAN_FRONTEND=noninteractive
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386 || true
  fi
  apt-get update -qq
  [ ${#missing[@]} -eq 0 ] ||
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  [ ${#missing32[@]} -eq 0 ] ||
    apt-get install -y -qq --no-install-recommends "${missing32[@]}" >/dev/null ||
    echo "install-deps: ${missing32[*]} could not be installed; 32-bit tests will be skipped"
fi

# Wine maps LC_ALL=ru_RU.UTF-8 to ANSI code page 1251, and the code page
# tests run under en_US (1252), ja_JP (932) and uk_UA (1251) too; without
# the locale, non-ASCII paths and arguments reach a Windows program mangled.
missing_locales=()
for locale in ru_RU en_US ja_JP uk_UA; do
  locale -a 2>/dev/null | grep -qi "^$locale\.utf8$" || missing_locales+=("$locale")
done
if [ ${#missing_locales[@]} -gt 0 ]; then
  for locale in "${missing_locales[@]}"; do
    sed -i "s/^# *$locale.UTF-8 UTF-8/$locale.UTF-8 UTF-8/" /etc/locale.gen
    grep -q "^$locale.UTF-8 UTF-8" /etc/locale.gen || echo "$locale.UTF-8 UTF-8" >> /etc/locale.gen
  done
  locale-gen >/dev/null
fi
