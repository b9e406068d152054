#!/usr/bin/env bash
# Opens a filled card print (.rtf), an exported .docx and an exported .xlsx in LibreOffice
# (headless), converts each to PDF and checks that it opened and shows the expected text; the
# first page of each is left as a PNG to look at. Needs LibreOffice (libreoffice-writer,
# libreoffice-calc) and poppler-utils; not part of the default test run.
# Usage: scripts/check_documents_in_office.sh [BUILD_FOLDER] [OUTPUT_FOLDER]
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-${TMPDIR:-/tmp}/tesaro-build-office}
outdir=${2:-$(mktemp -d)}
mkdir -p "$outdir"

for tool in soffice pdftotext pdftoppm pdfinfo; do
  command -v "$tool" >/dev/null || { echo "check_documents_in_office: $tool is missing" >&2; exit 2; }
done

cmake -S "$root" -B "$build" -DTESARO_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target tesaro_office_samples
QT_QPA_PLATFORM=offscreen "$build/tests/reports/tesaro_office_samples" "$root/src/reports/Tesaro_card.rtf" "$outdir"

# A private profile, so a running office program or another user's settings do not interfere.
profile=$(mktemp -d)
trap 'rm -rf "$profile"' EXIT
status=0
check() {  # file, then texts the PDF must contain
  local file=$1
  shift
  local pdf="$outdir/$(basename "${file%.*}").pdf"
  rm -f "$pdf"
  if ! soffice -env:UserInstallation="file://$profile" --headless --convert-to pdf --outdir "$outdir" "$file" \
      >/dev/null 2>&1 || [[ ! -s "$pdf" ]]; then
    echo "FAIL $(basename "$file"): LibreOffice could not open or convert it"
    status=1
    return
  fi
  local text
  text=$(pdftotext -layout "$pdf" - | tr -s ' \n' '  ')
  for expected in "$@"; do
    if [[ "$text" != *"$expected"* ]]; then
      echo "FAIL $(basename "$file"): \"$expected\" not found in the converted document"
      status=1
    fi
  done
  pdftoppm -png -r 60 -f 1 -l 1 "$pdf" "${pdf%.pdf}-page"
  echo "ok   $(basename "$file"): $(pdfinfo "$pdf" | awk '/^Pages:/ {print $2}') page(s), first page ${pdf%.pdf}-page-1.png"
}

check "$outdir/card.rtf" "РЕГИСТРАЦИОНЕН КАРТОН" "гр. Примерно, ул. „Мир“ 3, вх. {Б}" "05.03.2021г." \
  "Съпруга с име Мария Иванова" "Пожизнена" "Втори ред с \\ и {скоби}" "/clerk/" "1234.50"
# Table cells wrap inside their columns between words, never inside one: every date, personal
# number, year and heading word must come out whole.
check "$outdir/list.docx" "Списък на картотеката - 10.12.2026" "Община Примерна" "Рег.дата" "8001010000" \
  "8001010060" "05.03.2021" "10.03.2021" "15.01.2024" "Тежест(точки)" "Заявление" "Последно" "класиране" \
  "Изготвил: clerk"
check "$outdir/sheet.xlsx" "Списък на картотеката - 10.12.2026" "Рег.номер" "8001010000" "05.03.2021" \
  "Изготвил: clerk"
# The workbook prints one page wide with the title and header rows on every page.
pages=0
[[ -s "$outdir/sheet.pdf" ]] && pages=$(pdfinfo "$outdir/sheet.pdf" | awk '/^Pages:/ {print $2}')
for ((page = 1; page <= pages; page++)); do
  text=$(pdftotext -layout -f "$page" -l "$page" "$outdir/sheet.pdf" - | tr -s ' \n' '  ')
  for expected in "Списък на картотеката - 10.12.2026" "Рег.номер" "Последно класиране"; do
    if [[ "$text" != *"$expected"* ]]; then
      echo "FAIL sheet.xlsx: page $page of $pages lacks \"$expected\" (all columns on one page wide, header on each)"
      status=1
    fi
  done
done
echo "documents in $outdir"
exit "$status"
