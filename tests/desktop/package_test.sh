#!/usr/bin/env bash
# Builds the Debian package from the build tree and checks it as apt would see it: the
# name, version and computed dependencies, the installed files, and that the program,
# its desktop entry and its metainfo work from a scratch root.
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail=0
check() { local what=$1; shift; if ! "$@"; then echo "FAIL: $what"; fail=1; fi; }

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/out" >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; exit 1; }
deb=$(ls "$work"/out/quorvel_*_*.deb)
version=$(dpkg-deb -f "$deb" Version)
arch=$(dpkg --print-architecture)
check "file name quorvel_<version>_<arch>.deb" test "$(basename "$deb")" = "quorvel_${version}_${arch}.deb"
check "package name" test "$(dpkg-deb -f "$deb" Package)" = quorvel
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
check "Qt libraries come from the binary" grep -q 'libqt6widgets6' <<<"$depends"
check "the browser library comes from the binary" grep -q 'libqt6webenginewidgets6' <<<"$depends"
check "the search's expressions come from the binary" grep -q 'libpcre2-8-0' <<<"$depends"
check "the browser's helper process" grep -q 'libqt6webenginecore6-bin' <<<"$depends"
check "the SVG icon plugins" grep -q 'libqt6svg6' <<<"$depends"
check "the stand-in fonts" grep -q 'fonts-liberation' <<<"$depends"
check "nothing only the build needs" bash -c "! grep -Eq -- '-dev|cmake|gtest|benchmark' <<<'$depends'"

files=$(dpkg-deb -c "$deb" | awk '{print $NF}')
for f in ./usr/bin/quorvel \
         ./usr/share/applications/org.quorvel.Quorvel.desktop \
         ./usr/share/icons/hicolor/scalable/apps/org.quorvel.Quorvel.svg \
         ./usr/share/metainfo/org.quorvel.Quorvel.metainfo.xml; do
  check "package holds $f" grep -qx -- "$f" <<<"$files"
done
check "no tests or benchmarks in the package" bash -c "! grep -Eq 'tests|bench' <<<'$files'"

root="$work/root"
dpkg-deb -x "$deb" "$root"
check "the installed program runs" env -u DISPLAY "$root/usr/bin/quorvel" --version
check "the desktop entry starts quorvel with a file" grep -qx 'Exec=quorvel %f' "$root/usr/share/applications/org.quorvel.Quorvel.desktop"
if command -v desktop-file-validate >/dev/null; then
  # The validator exits 0 on hints and warnings alike; a clean entry makes it say nothing.
  report=$(desktop-file-validate "$root/usr/share/applications/org.quorvel.Quorvel.desktop" 2>&1 || true)
  check "desktop entry is valid with no hint or warning: $report" test -z "$report"
fi
if command -v appstreamcli >/dev/null; then
  check "metainfo is valid" appstreamcli validate --no-net "$root/usr/share/metainfo/org.quorvel.Quorvel.metainfo.xml"
fi
exit $fail
