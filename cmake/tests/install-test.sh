#!/usr/bin/env bash
# Installs the build into a fresh prefix and starts both programs from
# there with the source and build folders out of reach (hidden in a mount
# namespace of their own), on a private X server:
# - QVAdmin shows its window, Verscout (standard mode, with a private
#   registry and update folder) its window;
# - a program copied without its data folder says so and exits non-zero;
# - the installed libraries hold no test support.
# The screenshots go to the build folder's renders/ (installed-*.png).
#   install-test.sh BUILD_DIR SOURCE_DIR
# Exit code 0 when all holds, 77 when no mount namespace can be made here.
set -uo pipefail
build="$(cd "$1" && pwd)"
source="$(cd "$2" && pwd)"
work="$(mktemp -d /tmp/qv-install-test.XXXXXX)"
xvfb=""
cleanup() {
  [[ -n "$xvfb" ]] && kill "$xvfb" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }

if ! unshare -m true 2>/dev/null && ! unshare -rm true 2>/dev/null; then
  echo "no mount namespace can be made here: the source folder cannot be hidden"
  exit 77
fi

prefix="$work/prefix"
if ! cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1; then
  cat "$work/install.log"
  exit 1
fi

# What an installation holds: the programs and the folders they keep
# beside them, the libraries, the data folder.
for path in bin/QVAdmin bin/Verscout bin/res/livupd bin/QV_Admin/index.html lib/libKvctl2.so \
            share/quorvelle/fonts/fonts.conf share/quorvelle/qvadmin/frmMDI.frm \
            share/quorvelle/kvctl2/frmMsgBoxIe.frm share/quorvelle/verscout/frmUpdates.frm \
            share/quorvelle/sql/scriptMakeHauptDB.sql; do
  [[ -e "$prefix/$path" ]] || fail "not installed: $path"
done
extra="$(find "$prefix/bin" -maxdepth 1 -type f ! -name QVAdmin ! -name Verscout -printf '%f ')"
[[ -z "$extra" ]] || fail "more programs installed than the two: $extra"
# No test support in the installed libraries: neither its symbols nor the
# libraries only it needs.
support="$(nm -D -C --defined-only "$prefix"/lib/*.so 2>/dev/null |
           grep -E 'ScriptedHttpServer|TestServer|ScratchDatabase|x11test|FailSetPropWhen|TestRenderPath' | head -5)"
[[ -z "$support" ]] || fail "test support in the installed libraries: $support"
for lib in "$prefix"/lib/*.so; do
  if readelf -d "$lib" | grep -q 'NEEDED.*libXtst'; then fail "$(basename "$lib") needs libXtst"; fi
done

# The update assistant's settings, as the product's client leaves them.
export QV_REGISTRY_DIR="$work/registry"
mkdir -p "$work/updates/upd"
"$build/bin/qvsetting" 'SOFTWARE\Kelvaro\Quorvelle4' AktUpdDir "$work/updates/upd" || fail "settings not written"
cp "$build/bin/qvscreenshot" "$work/"
# A sanitized build's leak suppressions lie in the checkout: a copy stays
# in reach.
if [[ "${LSAN_OPTIONS:-}" =~ suppressions=([^:]*) && -f "${BASH_REMATCH[1]}" ]]; then
  cp "${BASH_REMATCH[1]}" "$work/lsan.supp"
  export LSAN_OPTIONS="${LSAN_OPTIONS/${BASH_REMATCH[1]}/$work/lsan.supp}"
fi
# A program copied without its data folder.
mkdir -p "$work/copy/bin"
cp "$prefix/bin/QVAdmin" "$prefix/bin/Verscout" "$work/copy/bin/"
ln -s "$prefix/lib" "$work/copy/lib"

coproc XVFB { exec Xvfb -displayfd 1 -noreset -nolisten tcp -screen 0 1280x1024x24 2>/dev/null; }
xvfb=$XVFB_PID
number=""
read -r -t 30 -u "${XVFB[0]}" number
[[ -n "$number" ]] || { echo "the private X server did not start"; exit 1; }
export DISPLAY=":$number"

# Run in a mount namespace in which the source and build folders are
# empty: whatever the programs read must come from the prefix.
cat >"$work/inner.sh" <<'INNER'
set -u
work="$1"; prefix="$2"; shift 2
for hidden in "$@"; do mount -t tmpfs -o size=1m qv-hidden "$hidden" || exit 3; done
cd "$work"
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }
shows_window() {
  local name="$1"; shift
  "$@" >"$work/$name.log" 2>&1 &
  local pid=$!
  "$work/qvscreenshot" "$work/$name.png" 30
  local shot=$?
  if ! kill -0 "$pid" 2>/dev/null; then
    fail "$name ended before it was closed:"; cat "$work/$name.log"
  elif [[ $shot -ne 0 ]]; then
    fail "$name showed no window"; cat "$work/$name.log"
  else
    echo "$name shows its window (installed, source out of reach)"
  fi
  kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null
}
shows_window QVAdmin "$prefix/bin/QVAdmin"
shows_window Verscout "$prefix/bin/Verscout" UpdStd
for program in QVAdmin "Verscout UpdStd"; do
  $work/copy/bin/$program >"$work/copy.out" 2>"$work/copy.err" </dev/null
  status=$?
  program="${program% *}"
  if [[ $status -eq 0 ]] || ! grep -q "^$program: the files it reads are missing" "$work/copy.err"; then
    fail "$program without its data folder: status $status, said: $(cat "$work/copy.err")"
  else
    echo "$program without its data folder: status $status, $(head -1 "$work/copy.err")"
  fi
done
exit $((failures > 0))
INNER
hide=("$build" "$source")
if unshare -m true 2>/dev/null; then
  unshare -m bash "$work/inner.sh" "$work" "$prefix" "${hide[@]}" || failures=$((failures + 1))
else
  unshare -rm bash "$work/inner.sh" "$work" "$prefix" "${hide[@]}" || failures=$((failures + 1))
fi
# The screenshots, to be looked at.
mkdir -p "$build/renders"
for name in QVAdmin Verscout; do
  [[ -f "$work/$name.png" ]] && cp "$work/$name.png" "$build/renders/installed-$name.png"
done

if ((failures)); then
  echo "$failures check(s) failed"
  exit 1
fi
echo "installed programs start with the source and build folders out of reach"
