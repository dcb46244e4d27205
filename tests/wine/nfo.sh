#!/usr/bin/env bash
# The zip's info file: plain ASCII, at most 80 columns, CRLF line endings, and
# it names every option that each Windows program's --help prints.
source "$(dirname "$0")/lib.sh"
scratch_folder
nfo="$BUILD/duskwheel.nfo"
[[ -f "$nfo" ]] || fail "$nfo is not made (the Linux build makes it)"

LC_ALL=C grep -q $'[^\t\r -~]' "$nfo" && fail "the info file holds bytes that are not plain ASCII"
lines=$(wc -l <"$nfo")
crlf=$(grep -c $'\r$' "$nfo" || true)
[[ "$lines" -gt 0 && "$crlf" == "$lines" && $(tail -c 2 "$nfo" | od -An -tx1 | tr -d ' ') == 0d0a ]] ||
  fail "only $crlf of its $lines lines end in CRLF"
[[ $(tr -d '\r' <"$nfo" | tr '\t' ' ' | awk '{ if (length($0) > m) m = length($0) } END { print m + 0 }') -le 80 ]] ||
  fail "a line is wider than 80 columns"

cp "$WINBUILD/duskwheel-capture.exe" .
for exe in duskwheel.exe duskwheel-capture.exe; do
  options=$("$WINE" "$exe" --help 2>&1 | tr -d '\r' | grep -o -- '--[a-z][a-z-]*' | sort -u)
  [[ -n "$options" ]] || fail "$exe --help printed no options"
  for option in $options; do
    grep -q -- "$option\\b" "$nfo" || fail "the info file does not name $exe's $option"
  done
  echo "$exe: the info file names its $(wc -w <<<"$options") options"
done
echo "ok: the info file is ASCII, within 80 columns, CRLF, and names every option"
