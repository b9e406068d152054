#!/usr/bin/env bash
# Installs every Debian package Tesaro needs to build, run, test and benchmark.
# Idempotent: packages already present are not fetched again.
set -euo pipefail

PACKAGES=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  firebird3.0-server-core firebird3.0-utils firebird-dev libfbclient2
  libxlsxwriter-dev libzip-dev libsodium-dev libsqlite3-dev
  libbenchmark-dev
  fonts-dejavu-core xvfb xauth poppler-utils
  qt6-translations-l10n  # Qt's own dialogs in Bulgarian (qtbase_bg.qm)
  dpkg-dev file desktop-file-utils  # the .deb (cpack, dpkg-shlibdeps) and its test
)
# The loopback server for the multi-user tests is installed separately by test.sh.
if [[ "${TESARO_WITH_SERVER:-0}" == 1 ]]; then
  PACKAGES+=(firebird3.0-server)
fi
# clang and its libFuzzer runtime for the fuzz targets, installed by fuzz.sh.
if [[ "${TESARO_WITH_FUZZ:-0}" == 1 ]]; then
  PACKAGES+=(clang libclang-rt-dev)
fi
# LibreOffice and the Python readers of .docx/.xlsx for check_documents_in_office.sh.
if [[ "${TESARO_WITH_OFFICE:-0}" == 1 ]]; then
  PACKAGES+=(libreoffice-writer-nogui libreoffice-calc-nogui python3-docx python3-openpyxl)
fi

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
if ((${#missing[@]} == 0)); then
  exit 0
fi

SUDO=""
if [[ $(id -u) -ne 0 ]]; then
  if command -v sudo >/dev/null; then SUDO="sudo"; else
    echo "deps.sh: these packages are missing and neither root nor sudo is available: ${missing[*]}" >&2
    exit 1
  fi
fi
echo "deps.sh: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
