#!/usr/bin/env bash
# Makes every document the program hands out and reads it back the way the people who get it
# would: opened in LibreOffice (headless) and converted to PDF, read with pdftotext, python-docx
# and openpyxl. First from a small fixture (a card print, a .docx and a .xlsx), then from a
# seeded register of each size in TESARO_OFFICE_SIZES (default "20000 100000"): the service
# note, the annual list (PDF, .xlsx, .txt), its public version (PDF, HTML), the card print and
# the register list as .docx, .xlsx and .txt. Each PDF is checked for overlapping words, words
# off the paper and words broken in the middle; the first page of each is left as a PNG.
# Installs LibreOffice and the Python readers when they are missing; not part of the default
# test run (it takes about ten minutes).
# Usage: scripts/check_documents_in_office.sh [BUILD_FOLDER] [OUTPUT_FOLDER]
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-${TMPDIR:-/tmp}/tesaro-build-office}
outdir=${2:-$(mktemp -d)}
sizes=${TESARO_OFFICE_SIZES:-20000 100000}
mkdir -p "$outdir"
outdir=$(cd "$outdir" && pwd)

TESARO_WITH_OFFICE=1 "$root/scripts/deps.sh"
py=/usr/bin/python3  # Debian's, which has python3-docx and python3-openpyxl
checks="$root/scripts/office"

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESARO_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target tesaro_office_samples tesaro_office_card_print tesaro-admin
admin="$build/tools/tesaro-admin"
export QT_QPA_PLATFORM=offscreen

# A private profile, so a running office program or another user's settings do not interfere.
profile=$(mktemp -d)
trap 'rm -rf "$profile"' EXIT
status=0
fail() {
  echo "FAIL $*"
  status=1
}

# Converts a document to PDF with LibreOffice, into the folder "office" beside it (so that it
# never replaces a PDF the program wrote); prints the PDF's path.
to_pdf() {
  local file=$1 folder
  folder="$(dirname "$file")/office"
  local pdf="$folder/$(basename "${file%.*}").pdf"
  mkdir -p "$folder"
  rm -f "$pdf"
  if ! soffice -env:UserInstallation="file://$profile" --headless --convert-to pdf --outdir "$folder" \
      "$file" >/dev/null 2>&1 || [[ ! -s "$pdf" ]]; then
    fail "$(basename "$file"): LibreOffice could not open or convert it"
    return 1
  fi
  echo "$pdf"
}

# Checks a PDF's words (pdf_words.py options follow) and leaves its first page as a PNG.
check_pdf() {
  local pdf=$1
  shift
  "$py" "$checks/pdf_words.py" "$pdf" "$@" || fail "$(basename "$pdf")"
  pdftoppm -png -r 60 -f 1 -l 1 -singlefile "$pdf" "${pdf%.pdf}-page1"
}

echo "== documents from a small fixture"
fixture="$outdir/fixture"
mkdir -p "$fixture"
"$build/tests/reports/tesaro_office_samples" "$root/src/reports/Tesaro_card.rtf" "$fixture"
if pdf=$(to_pdf "$fixture/card.rtf"); then
  check_pdf "$pdf" --expect "РЕГИСТРАЦИОНЕН КАРТОН" --expect "гр. Примерно, ул. „Мир“ 3, вх. {Б}" \
    --expect "05.03.2021г." --expect "Съпруга с име Мария Иванова" --expect "Пожизнена" \
    --expect "Втори ред с \\ и {скоби}" --expect "/clerk/" --expect "1234.50"
fi
# The register list's 17 columns, landscape, at the default size: table cells wrap between
# words, never inside one, so every date, personal number, year and heading comes out whole.
if pdf=$(to_pdf "$fixture/list.docx"); then
  printf '%s\n' 8001010000 8001010060 05.03.2021 10.03.2021 15.01.2024 "Тежест(точки)" "Заявление" \
    "Последно класиране" >"$fixture/whole-words.txt"
  check_pdf "$pdf" --expect "Списък на картотеката - 10.12.2026" --expect "Община Примерна" --expect "Рег.дата" \
    --whole-words "$fixture/whole-words.txt" --expect "Изготвил: clerk"
fi
# The workbook prints one page wide with the title and header rows on every page.
if pdf=$(to_pdf "$fixture/sheet.xlsx"); then
  check_pdf "$pdf" --expect "8001010000" --expect "05.03.2021" --expect "Изготвил: clerk" \
    --every-page "Списък на картотеката - 10.12.2026" --every-page "Рег.номер" --every-page "Последно класиране"
fi

for size in $sizes; do
  echo "== documents from a seeded register of $size cards"
  dir="$outdir/$size"
  rm -rf "$dir"
  mkdir -p "$dir"
  register="$dir/register.fdb"
  "$admin" init-db "$register" --municipality "Община Примерна" >/dev/null
  "$admin" seed "$register" --cards "$size" --date 10.12.2026 >/dev/null 2>&1

  # The register list in every format; its text holds the values the other checks look for.
  "$admin" export "$register" --format txt --out "$dir/list.txt" >/dev/null
  "$admin" export "$register" --format docx --out "$dir/list.docx" >/dev/null
  "$admin" export "$register" --format xlsx --out "$dir/list.xlsx" >/dev/null
  words="$dir/first-rows.txt"
  "$py" "$checks/register_list.py" "$dir/list.txt" words 300 "$words"
  mapfile -t egns < <("$py" "$checks/register_list.py" "$dir/list.txt" column ЕГН 50)

  # The .docx is read back whole; LibreOffice lays out its first 300 rows (a 20 000-row table
  # takes it longer than a quarter of an hour), with the widths made for the whole register.
  "$py" "$checks/docx_check.py" "$dir/list.docx" --rows "$size" --header "Рег.номер" --header "ЕГН" \
    --expect "${egns[0]}" --head "$dir/list-first-rows.docx" 300 || fail "list.docx"
  if pdf=$(to_pdf "$dir/list-first-rows.docx"); then
    check_pdf "$pdf" --whole-words "$words" --every-page "Рег.номер"
  fi
  "$py" "$checks/xlsx_check.py" "$dir/list.xlsx" --rows "$size" --header "Рег.номер" --expect "${egns[0]}" ||
    fail "list.xlsx"
  if pdf=$(to_pdf "$dir/list.xlsx"); then
    check_pdf "$pdf" --whole-words "$words" --every-page "Рег.номер"
  fi

  # Service notes for the card with the longest address and for the largest registration number.
  for which in longest last; do
    IFS='|' read -r reg name address < <("$py" "$checks/register_list.py" "$dir/list.txt" card "$which")
    note="$dir/note-$reg.pdf"
    "$admin" service-note "$register" --reg-num "$reg" --pdf "$note" >/dev/null
    check_pdf "$note" --expect "$name" --expect "$address" --expect "$reg" \
      --expect "Служба \"Жилищно настаняване\" при Община Примерна" --absent "Zadeze"
  done

  # The card print of the first card, opened in LibreOffice.
  IFS='|' read -r reg name address < <("$py" "$checks/register_list.py" "$dir/list.txt" card 1)
  "$build/tests/reports/tesaro_office_card_print" "$root/src/reports/Tesaro_card.rtf" "$register" 1 "$dir/card.rtf"
  if pdf=$(to_pdf "$dir/card.rtf"); then
    check_pdf "$pdf" --expect "РЕГИСТРАЦИОНЕН КАРТОН" --expect "$name" --expect "$address"
  fi

  # The annual list and its public version.
  "$admin" annual-list "$register" --pdf "$dir/annual.pdf" --xlsx "$dir/annual.xlsx" --txt "$dir/annual.txt" \
    2>/dev/null | tail -1
  "$admin" annual-list "$register" --public --pdf "$dir/annual-public.pdf" --html "$dir/annual-public.html" \
    2>/dev/null | tail -1
  ranked=$(($(wc -l <"$dir/annual.txt") - 1))
  check_pdf "$dir/annual.pdf" --expect "Единен годишен списък" --expect "Списъкът съдържа общо $ranked семейства" \
    --every-page "стр."
  "$py" "$checks/xlsx_check.py" "$dir/annual.xlsx" --rows "$ranked" || fail "annual.xlsx"
  if pdf=$(to_pdf "$dir/annual.xlsx"); then check_pdf "$pdf" --every-page "Име"; fi
  absent=()
  for egn in "${egns[@]}"; do absent+=(--absent "$egn"); done
  check_pdf "$dir/annual-public.pdf" --expect "Единен годишен списък" "${absent[@]}"
  "$py" "$checks/html_check.py" "$dir/annual-public.html" --rows "$ranked" "${absent[@]}" ||
    fail "annual-public.html"
done

echo "documents in $outdir"
exit "$status"
