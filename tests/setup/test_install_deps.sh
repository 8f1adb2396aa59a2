#!/usr/bin/env bash
# scripts/install-deps.sh against a package mirror in the middle of a sync,
# with stand-ins for apt-get, dpkg and dpkg-query on PATH (nothing is
# installed for real): the index of one architecture fails to download, and
# the plain install can't be resolved until both architectures come from the
# release's own suite. Optionally one package can't be had at all.
set -euo pipefail
script=$(cd "$(dirname "$0")/../../scripts" && pwd)/install-deps.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/bin"
cat >"$work/bin/apt-get" <<'FAKE'
#!/bin/sh
echo "apt-get $*" >>"$STATE/calls"
case "$1" in update)
  echo "E: Failed to fetch .../binary-i386/Packages.xz  File has unexpected size (374820 != 376004). Mirror sync in progress?"
  exit 100 ;;
esac
case " $* " in *" -t bookworm "*) ;; *) echo "E: Unable to correct problems, you have held broken packages."; exit 100 ;; esac
for package; do
  case "$package" in -*|install|bookworm) ;; "$UNAVAILABLE") exit 100 ;; *) echo "$package" >>"$STATE/installed" ;; esac
done
FAKE
printf '#!/bin/sh\ngrep -qx "$3" "$STATE/installed" 2>/dev/null && echo installed\n' >"$work/bin/dpkg-query"
printf '#!/bin/sh\necho i386\n' >"$work/bin/dpkg"
printf '#!/bin/sh\necho 0\n' >"$work/bin/id"
# The x86 probe compiles and runs a program: it runs here.
printf '#!/bin/sh\nwhile [ "$1" != -o ]; do shift; done\nprintf "#!/bin/sh\\n" >"$2"; chmod +x "$2"\n' >"$work/bin/gcc"
chmod +x "$work/bin/"*

run() {  # run UNAVAILABLE-PACKAGE: installs into a fresh state; output in $work/out
  export STATE=$work/state UNAVAILABLE=$1
  rm -rf "$STATE" && mkdir "$STATE"
  PATH=$work/bin:$PATH bash "$script" all >"$work/out" 2>&1
}
fail() { echo "FAILED: $*"; cat "$work/out"; exit 1; }

run none || fail "a broken index and a version skew ended the install"
grep -q "WARNING: going on with the package indexes that could be fetched" "$work/out" || fail "no warning"
[[ $(grep -c '^apt-get update' "$STATE/calls") == 3 ]] || fail "the update was not tried three times"
grep -q "^apt-get install -y --no-install-recommends -t bookworm .* wine32:i386" "$STATE/calls" ||
  fail "no install from the release's suite"
[[ -z $(PATH=$work/bin:$PATH bash "$script" --missing all) ]] || fail "packages still missing"

run wine32:i386 || fail "one package that can't be had ended the install"
grep -qx "NOT INSTALLED: wine32:i386. Not run without it: the tests that run the 32-bit Windows programs under Wine." \
  "$work/out" || fail "the missing package was not named"
[[ $(PATH=$work/bin:$PATH bash "$script" --missing all) == wine32:i386 ]] || fail "--missing"
grep -qx wine64 "$STATE/installed" || fail "the other packages were not installed one by one"
echo "install-deps.sh: all checks passed"
