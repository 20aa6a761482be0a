#!/usr/bin/env bash
# The command line without a display: --help and --version print and exit, a wrong
# argument is refused on stderr with status 2; none of them opens a window.
set -uo pipefail
quorvel=$1
fail=0
check() {  # description, then a condition that must hold
  local what=$1; shift
  if ! "$@"; then echo "FAIL: $what"; fail=1; fi
}
run() {  # runs quorvel with no display at all; fills out, err, rc
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$quorvel" "$@" 2>/tmp/quorvel-cli-err.$$)
  rc=$?
  err=$(cat /tmp/quorvel-cli-err.$$)
}

run --help
check "--help exits 0" test "$rc" -eq 0
check "--help shows the usage" grep -q 'quorvel \[ПАРАМЕТР\] \[ФАЙЛ\]' <<<"$out"
check "--help writes nothing on stderr" test -z "$err"

run --version
check "--version exits 0" test "$rc" -eq 0
check "--version names the version" grep -qx 'Quorvel [0-9]*\.[0-9]*\.[0-9]*' <<<"$out"

run --bogus page.html
check "an unknown option exits 2" test "$rc" -eq 2
check "an unknown option is named on stderr" grep -q -- '--bogus' <<<"$err"
check "an unknown option prints nothing on stdout" test -z "$out"

run a.html b.html
check "two files exit 2" test "$rc" -eq 2

rm -f /tmp/quorvel-cli-err.$$
exit $fail
