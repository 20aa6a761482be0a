#!/usr/bin/env bash
# The command line without a display: --help and --version print and exit whatever else
# the line holds; Qt's own options are taken as any Qt program takes them; a wrong
# argument of ours is refused on stderr with status 2. Only the runs that must start the
# program get a platform: Qt's own offscreen one, through its -platform option.
set -uo pipefail
quorvel=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail=0
check() {  # description, then a condition that must hold
  local what=$1; shift
  if ! "$@"; then echo "FAIL: $what"; fail=1; fi
}
run() {  # runs quorvel with no display at all, for five seconds at most; fills out, err, rc
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 5 "$quorvel" "$@" 2>"$work/err")
  rc=$?
  err=$(cat "$work/err")
}

run --help
check "--help exits 0" test "$rc" -eq 0
check "--help shows the usage" grep -q 'quorvel \[ПАРАМЕТР\] \[ФАЙЛ\]' <<<"$out"
check "--help writes nothing on stderr" test -z "$err"

run -reverse -style fusion --help
check "--help after Qt's options exits 0 without a display" test "$rc" -eq 0
check "--help after Qt's options shows the usage" grep -q 'quorvel \[ПАРАМЕТР\] \[ФАЙЛ\]' <<<"$out"

run --version
check "--version exits 0" test "$rc" -eq 0
check "--version names the version" grep -qx 'Quorvel [0-9]*\.[0-9]*\.[0-9]*' <<<"$out"

run -platform offscreen --bogus page.html
check "an unknown option exits 2" test "$rc" -eq 2
check "an unknown option is named on stderr" grep -q -- '--bogus' <<<"$err"
check "an unknown option prints nothing on stdout" test -z "$out"

run -platform offscreen a.html b.html
check "two files exit 2" test "$rc" -eq 2

# After "--" every argument is a file name, even one that Qt would take as its option.
run -platform offscreen -- a.html -reverse
check "a file named like Qt's option after -- is a second file" test "$rc" -eq 2

# Accepted, the program keeps running with its window until the time is up (124).
printf '<p>page</p>\r\n' >"$work/page.html"
run -platform offscreen -style fusion -reverse "$work/page.html"
check "Qt's options are accepted: the program runs (status $rc, $err)" test "$rc" -eq 124

exit $fail
