#!/usr/bin/env bash
# make_nfo.sh TEMPLATE VERSION PLAYER CAPTURE OUT: the zip's info file, its
# command-line sections taken from the programs' own --help, so they cannot
# say other than the programs do. Plain ASCII, at most 80 columns, CRLF, as
# info-file viewers expect.
set -euo pipefail
template=$1 version=$2 player=$3 capture=$4 out=$5

# A usage text indented by four, long lines broken at spaces before column
# 79, each continuation indented four more than the line it continues.
usage() {
  "$1" --help | tr -d '\r' | awk '
    {
      match($0, /^ */); lead = "    " substr($0, 1, RLENGTH); more = lead "    "
      rest = substr($0, RLENGTH + 1)
      while (length(lead rest) > 78) {
        cut = 78 - length(lead)
        while (cut > 1 && substr(rest, cut + 1, 1) != " ") cut--
        line = lead substr(rest, 1, cut); sub(/ +$/, "", line); print line
        rest = substr(rest, cut + 2); sub(/^ +/, "", rest)
        lead = more
      }
      print lead rest
    }'
}

player_usage=$(usage "$player")
capture_usage=$(usage "$capture")
while IFS= read -r line || [[ -n "$line" ]]; do
  case "$line" in
    @PLAYER_USAGE@) printf '%s\n' "$player_usage" ;;
    @CAPTURE_USAGE@) printf '%s\n' "$capture_usage" ;;
    *) printf '%s\n' "${line//@VERSION@/$version}" ;;
  esac
done <"$template" | sed 's/$/\r/' >"$out.tmp"
if LC_ALL=C grep -q '[^[:print:][:space:]]' "$out.tmp"; then
  echo "make_nfo: $out would hold a byte that is not plain ASCII" >&2
  exit 1
fi
mv "$out.tmp" "$out"
