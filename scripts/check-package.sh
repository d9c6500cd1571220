#!/usr/bin/env bash
# Makes the Debian package of a build with CPack into OUT (emptied first) and checks it: its
# file list, its dependencies, the desktop and metainfo files, and that the programs it
# installs start from a temporary root.
#   check-package.sh BUILD OUT
# The programs it must hold are those BUILD/packaging/programs.txt names. Exits 77 (skipped)
# where cpack or dpkg-deb is missing; each other check is skipped where its tool is.
set -euo pipefail
build=$(cd "$1" && pwd)
out=$2

for tool in cpack dpkg-deb; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "check-package: $tool not installed, skipped"
    exit 77
  fi
done
mapfile -t programs <"$build/packaging/programs.txt"

rm -rf "$out"
mkdir -p "$out"
if ! cpack --config "$build/CPackConfig.cmake" -G DEB -B "$out" >"$out/cpack.log" 2>&1; then
  cat "$out/cpack.log" >&2
  exit 1
fi
debs=("$out"/vostrel_*.deb)
if [ ! -f "${debs[0]}" ]; then
  echo "check-package: cpack made no vostrel_*.deb in $out" >&2
  exit 1
fi
deb=${debs[0]}

failures=0
fail() {
  echo "check-package: $*" >&2
  failures=$((failures + 1))
}

listing=$(dpkg-deb -c "$deb" | awk '{print $NF}' | sed 's|^\./|/|')
has() { grep -qxF "$1" <<<"$listing"; }

metainfo=$(grep -E '^/usr/share/metainfo/[^/]+\.metainfo\.xml$' <<<"$listing" || true)
if [ "$(grep -c . <<<"$metainfo")" -ne 1 ]; then
  fail "expected one metainfo file, found: ${metainfo:-none}"
  exit 1
fi
id=$(basename "$metainfo" .metainfo.xml)

expected=(
  "/usr/share/applications/$id.desktop"
  "/usr/share/icons/hicolor/scalable/apps/$id.svg"
  "$metainfo"
)
for p in "${programs[@]}"; do expected+=("/usr/bin/$p"); done
for f in "${expected[@]}"; do
  if ! has "$f"; then
    case "$f" in
    /usr/bin/*) fail "missing from the package: $f (call vostrel_install_program($(basename "$f")) next to its add_executable)" ;;
    *) fail "missing from the package: $f" ;;
    esac
  fi
done
# Only the programs, the desktop files and their folders: no libraries, headers or tests.
while read -r f; do
  case "$f" in
  */) ;;
  /usr/bin/* | /usr/share/applications/* | /usr/share/icons/hicolor/* | /usr/share/metainfo/*)
    printf '%s\n' "${expected[@]}" | grep -qxF "$f" || fail "unexpected file in the package: $f" ;;
  *) fail "file outside the package's folders: $f" ;;
  esac
done <<<"$listing"

# What is loaded at run time rather than linked must be named, and what is linked must be there.
depends=$(dpkg-deb -f "$deb" Depends)
for wanted in libqt6sql6-sqlite libqt6sql6-psql fonts-thai-tlwg libqt6charts6 libqt6widgets6 libfreexl libxlsxwriter libzip; do
  grep -qE "(^|, )$wanted[0-9]*( |,|$)" <<<"$depends" || fail "Depends lacks $wanted: $depends"
done

# Every dependency can be installed from the machine's package sources (a simulation: nothing
# is installed).
if command -v apt-get >/dev/null 2>&1; then
  apt-get -s -qq install "$(cd "$(dirname "$deb")" && pwd)/$(basename "$deb")" >"$out/apt.log" 2>&1 ||
    fail "apt-get cannot install the package: $(cat "$out/apt.log")"
fi

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"

desktop="$root/usr/share/applications/$id.desktop"
if [ -f "$desktop" ]; then
  grep -qx "Icon=$id" "$desktop" || fail "the desktop file names another icon than $id"
  grep -qx "Categories=Office;Finance;" "$desktop" || fail "the desktop file's categories are not Office;Finance;"
  grep -q '^Name\[th\]=' "$desktop" || fail "the desktop file has no Thai name"
  grep -q '^Comment\[th\]=' "$desktop" || fail "the desktop file has no Thai comment"
  if command -v desktop-file-validate >/dev/null 2>&1; then
    desktop-file-validate "$desktop" >"$out/desktop.log" 2>&1 ||
      fail "desktop-file-validate refuses $id.desktop: $(cat "$out/desktop.log")"
  fi
fi
if [ -f "$root$metainfo" ]; then
  grep -qF "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$root$metainfo" ||
    fail "the metainfo does not launch $id.desktop"
  if command -v appstreamcli >/dev/null 2>&1; then
    appstreamcli validate --no-net "$root$metainfo" >"$out/appstream.log" 2>&1 ||
      fail "appstreamcli refuses the metainfo: $(cat "$out/appstream.log")"
  else
    echo "check-package: appstreamcli not installed, metainfo not validated"
  fi
fi

# Each program finds every library it links; the tool runs, without Qt Widgets, from the root.
for p in "${programs[@]}"; do
  [ -x "$root/usr/bin/$p" ] || continue
  if ldd "$root/usr/bin/$p" | grep -q 'not found'; then
    fail "$p links a library that is not installed: $(ldd "$root/usr/bin/$p" | grep 'not found')"
  fi
done
admin="$root/usr/bin/vostrel-admin"
if [ -x "$admin" ]; then
  ! ldd "$admin" | grep -q libQt6Widgets || fail "the packaged vostrel-admin loads Qt Widgets"
  home="$root/home"
  mkdir -p "$home"
  if ! HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share" \
    "$admin" demo >"$root/demo.out" 2>&1; then
    fail "the packaged vostrel-admin demo failed: $(cat "$root/demo.out")"
  elif [ ! -f "$home/.local/share/vostrel/catalog.sqlite" ]; then
    fail "vostrel-admin demo made no catalog in the user's data folder"
  fi
fi

if [ "$failures" -gt 0 ]; then
  echo "check-package: $failures problem(s) in $deb" >&2
  exit 1
fi
echo "check-package: $deb holds ${#expected[@]} expected files; Depends: $depends"
