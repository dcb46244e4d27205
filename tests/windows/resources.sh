#!/usr/bin/env bash
# resources.sh SRC VERSION: what Explorer and Windows read from each built exe,
# read back with Debian's tools: a manifest that parses as XML in the right
# namespaces, declares system DPI awareness and the exe's own processor
# architecture and pulls in no common-controls styles; version strings that
# are the project's version; an icon group of the four sizes.
set -euo pipefail
SRC=$(cd "$1" && pwd)
VERSION=$2
fail() { echo "FAIL: $*" >&2; exit 1; }
scratch=$(mktemp -d /tmp/duskwheel-resources-XXXXXX)
trap 'rm -rf "$scratch"' EXIT

ASM1=urn:schemas-microsoft-com:asm.v1
ASM3=urn:schemas-microsoft-com:asm.v3
SETTINGS=http://schemas.microsoft.com/SMI/2005/WindowsSettings
# the element NAME in namespace NS, in XPath 1 without prefixes
el() { echo "*[local-name()='$1' and namespace-uri()='$2']"; }
xpath() { xmllint --xpath "$1" "$manifest"; }

# exe   the architecture its manifest must name (from the exe's own header)
checked=0
for exe in build/win32/duskwheel.exe build/win32/duskwheel-capture.exe \
           build/win64/duskwheel.exe build/win64/duskwheel-capture.exe; do
  [[ -f "$SRC/$exe" ]] || fail "$exe is not built (make windows-build builds it)"
  file="$SRC/$exe" name=${exe//\//-}
  case $(x86_64-w64-mingw32-objdump -f "$file" | sed -n 's/.*file format //p') in
    pei-i386) arch=x86 ;;
    pei-x86-64) arch=amd64 ;;
    *) fail "$exe: not a Windows exe objdump knows" ;;
  esac

  manifest="$scratch/$name.manifest"
  wrestool -x --raw -t 24 -n 1 "$file" >"$manifest" 2>/dev/null && [[ -s "$manifest" ]] ||
    fail "$exe: no manifest resource with id 1"
  xmllint --noout "$manifest" 2>"$scratch/xml.err" || fail "$exe: the manifest is not XML: $(cat "$scratch/xml.err")"
  root="/$(el assembly $ASM1)"
  [[ $(xpath "string($root/$(el assemblyIdentity $ASM1)/@processorArchitecture)") == "$arch" ]] ||
    fail "$exe: the manifest does not name the exe's own architecture, $arch"
  [[ $(xpath "string($root/$(el application $ASM3)/$(el windowsSettings $ASM3)/$(el dpiAware $SETTINGS))") == true ]] ||
    fail "$exe: the manifest declares no system DPI awareness"
  [[ $(xpath "string($root/$(el trustInfo $ASM3)//$(el requestedExecutionLevel $ASM3)/@level)") == asInvoker ]] ||
    fail "$exe: the manifest does not ask to run asInvoker"
  compat="$root/$(el compatibility urn:schemas-microsoft-com:compatibility.v1)/*/*[local-name()='supportedOS']"
  for os in "7 35138b9a-5d96-4fbd-8e2d-a2440225f93a" "8 4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38" \
            "8.1 1f676c76-80e1-4239-95bb-83d0f6d0da78" "10 8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a"; do
    [[ $(xpath "count($compat[@Id='{${os#* }}'])") == 1 ]] || fail "$exe: the manifest does not list Windows ${os%% *}"
  done
  [[ $(xpath "count(//*[local-name()='dependency'])") == 0 ]] && ! grep -qi Microsoft.Windows.Common-Controls "$manifest" ||
    fail "$exe: the manifest depends on another assembly (common controls)"

  # Version strings, UTF-16 in the resource, key then value.
  wrestool -x --raw -t 16 -n 1 "$file" >"$scratch/version.res" 2>/dev/null || fail "$exe: no version resource"
  strings -el "$scratch/version.res" >"$scratch/version.txt"
  value() { awk -v key="$1" 'found { print; exit } $0 == key { found = 1 }' "$scratch/version.txt"; }
  for key in ProductVersion FileVersion; do
    [[ $(value $key) == "$VERSION" ]] || fail "$exe: $key is '$(value $key)', not $VERSION"
  done
  [[ $(value ProductName) == duskwheel ]] || fail "$exe: ProductName is '$(value ProductName)'"
  [[ $(value OriginalFilename) == "$(basename "$exe")" ]] || fail "$exe: OriginalFilename is '$(value OriginalFilename)'"
  grep -qx 040904B0 "$scratch/version.txt" || fail "$exe: the strings are not in the US English, Unicode block"
  # The translation entry names the same language and code page: 0x0409, 1200.
  translation=$(od -An -tx1 -v "$scratch/version.res" | tr -d ' \n' | tail -c 8)
  [[ "$translation" == 0904b004 ]] || fail "$exe: the translation entry is $translation, not 0x0409, 1200"
  # The fixed part's file version, as Explorer's details tab shows it.
  IFS=. read -r major minor patch <<<"$VERSION"
  fixed=$(printf '%04x%04x%04x%04x' "$minor" "$major" 0 "$patch" | sed 's/\(..\)\(..\)/\2\1/g')
  od -An -tx1 -v "$scratch/version.res" | tr -d ' \n' | grep -q "bd04effe00000100$fixed" ||
    fail "$exe: the fixed file version is not $VERSION.0"

  wrestool -x -t 14 "$file" >"$scratch/$name.ico" 2>/dev/null && [[ -s "$scratch/$name.ico" ]] || fail "$exe: no icon group"
  sizes=$(icotool -l "$scratch/$name.ico" | sed -n 's/.*--width=\([0-9]*\) --height=\([0-9]*\).*/\1x\2/p' | sort -n | tr '\n' ' ')
  [[ "$sizes" == "16x16 32x32 48x48 256x256 " ]] || fail "$exe: the icon group holds $sizes, not 16, 32, 48 and 256"
  echo "$exe: manifest ($arch, DPI-aware, no common controls), version $VERSION, icon $sizes"
  checked=$((checked + 1))
done
echo "ok: $checked exes carry their manifest, version and icon"
