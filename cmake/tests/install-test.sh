#!/usr/bin/env bash
# Installs the build into a fresh prefix and starts the programs from
# there with the source and build folders out of reach (hidden in a mount
# namespace of their own), on a private X server, as the README tells a new
# user to:
# - QVAdmin shows its window, and without a display (none named, or one
#   that does not answer) says why and exits 1;
# - the installed settings tool gives Verscout its update folder; Verscout
#   (standard mode, with a private registry) shows its window, and a
#   silent run checks for updates and logs the check;
# - QVAdmin logs in to the private database server with the server typed
#   into the login's server box (socket folder and port with Windows
#   Authentication, address and port with SQL Server Authentication), when
#   the tests' cluster runs (QV_PG_SOCKET_DIR, QV_PG_PORT, QV_PG_USER,
#   QV_PG_PASSWORD);
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
for path in bin/QVAdmin bin/Verscout bin/qvsetting bin/res/livupd bin/QV_Admin/index.html lib/libKvctl2.so \
            share/quorvelle/fonts/fonts.conf share/quorvelle/qvadmin/frmMDI.frm \
            share/quorvelle/kvctl2/frmMsgBoxIe.frm share/quorvelle/verscout/frmUpdates.frm \
            share/quorvelle/sql/scriptMakeHauptDB.sql; do
  [[ -e "$prefix/$path" ]] || fail "not installed: $path"
done
extra="$(find "$prefix/bin" -maxdepth 1 -type f ! -name QVAdmin ! -name Verscout ! -name qvsetting -printf '%f ')"
[[ -z "$extra" ]] || fail "more programs installed than the two and the settings tool: $extra"
# No test support in the installed libraries: neither its symbols nor the
# libraries only it needs.
support="$(nm -D -C --defined-only "$prefix"/lib/*.so 2>/dev/null |
           grep -E 'ScriptedHttpServer|TestServer|ScratchDatabase|x11test|FailSetPropWhen|TestRenderPath' | head -5)"
[[ -z "$support" ]] || fail "test support in the installed libraries: $support"
for lib in "$prefix"/lib/*.so; do
  if readelf -d "$lib" | grep -q 'NEEDED.*libXtst'; then fail "$(basename "$lib") needs libXtst"; fi
done

# The programs' settings, in a registry of the test's own.
export QV_REGISTRY_DIR="$work/registry"
mkdir -p "$work/updates/upd"
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

# Runs a command in a mount namespace in which the source and build
# folders are empty: whatever the programs read must come from the prefix.
# The private database cluster's socket folder, which may lie in the build
# folder, stays in reach as $work/socket, the way a user names it.
cat >"$work/hidden.sh" <<'HIDDEN'
set -u
work="$1"; count="$2"; shift 2
if [[ -n "${QV_PG_SOCKET_DIR:-}" && -d "$QV_PG_SOCKET_DIR" ]]; then
  mkdir -p "$work/socket"
  mount --bind "$QV_PG_SOCKET_DIR" "$work/socket" || exit 3
fi
for ((i = 0; i < count; ++i)); do mount -t tmpfs -o size=1m qv-hidden "$1" || exit 3; shift; done
cd "$work"
exec "$@"
HIDDEN
hide=("$build" "$source")
# Whether the namespace is the real root's (then the programs run as the
# user who started the test, as peer authentication at the server sees
# it) or a user namespace's.
# The command line runs the command in place of itself (same process).
as_root=0
unshare -m true 2>/dev/null && as_root=1
hidden=(unshare -rm bash "$work/hidden.sh" "$work" "${#hide[@]}" "${hide[@]}")
((as_root)) && hidden=(unshare -m bash "$work/hidden.sh" "$work" "${#hide[@]}" "${hide[@]}")

cat >"$work/inner.sh" <<'INNER'
set -u
work="$1"; prefix="$2"
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
# Without a display QVAdmin can do nothing: it says why and fails.
unused=$(( ${DISPLAY#:} + 1 ))
while [[ -e /tmp/.X11-unix/X$unused ]]; do unused=$((unused + 1)); done
for display in "" ":$unused"; do
  DISPLAY="$display" "$prefix/bin/QVAdmin" >"$work/nodisplay.out" 2>"$work/nodisplay.err" </dev/null
  status=$?
  if [[ $status -ne 1 ]] || ! grep -q "^QVAdmin: .*needs a display" "$work/nodisplay.err"; then
    fail "QVAdmin with DISPLAY=\"$display\": status $status, said: $(cat "$work/nodisplay.err")"
  else
    echo "QVAdmin with DISPLAY=\"$display\": status $status, $(grep '^QVAdmin:' "$work/nodisplay.err")"
  fi
done
shows_window QVAdmin "$prefix/bin/QVAdmin"

# Verscout's update folder, given with the installed settings tool, as the
# product's client leaves it.
if ! "$prefix/bin/qvsetting" 'SOFTWARE\Kelvaro\Quorvelle4' AktUpdDir "$work/updates/upd"; then
  fail "the installed settings tool did not write AktUpdDir"
fi
shows_window Verscout "$prefix/bin/Verscout" UpdStd
# A silent run checks for updates at once; no update server answers here
# (its address leads to a closed port), which the check logs.
QV_INET_CONNECT_TO="update.quorvelle.de:80:127.0.0.1:1" timeout 120 "$prefix/bin/Verscout" UpdSilent \
  >"$work/check.out" 2>&1 </dev/null
status=$?
log="$(cat "$work"/updates/UpdLog.* 2>/dev/null)"
if [[ $status -eq 124 ]] || ! grep -q "data/ver.txt" <<<"$log"; then
  fail "the silent update check: status $status, said: $(cat "$work/check.out"), logged: $log"
else
  echo "Verscout checked for updates (status $status), its log: $(grep -m1 data/ver.txt <<<"$log" | tr -d '\r')"
fi
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
"${hidden[@]}" bash "$work/inner.sh" "$work" "$prefix" || failures=$((failures + 1))

# QVAdmin logs in to the private server as the README says: a fresh user
# (no PGHOST or PGPORT) types the server into the login's server box: its
# socket folder and port with Windows Authentication, its address and port
# with SQL Server Authentication. In a user namespace the program would
# not run as the user the server knows.
# - the server typed, and the login name and password where one is given
logins=("$work/socket,${QV_PG_PORT:-}"
        "127.0.0.1,${QV_PG_PORT:-} ${QV_PG_USER:-} ${QV_PG_PASSWORD:-}")
if [[ -z "${QV_PG_SOCKET_DIR:-}" || -z "${QV_PG_PORT:-}" ]]; then
  echo "no private database cluster (QV_PG_SOCKET_DIR, QV_PG_PORT): the login is not tried"
elif ((!as_root)); then
  echo "no mount namespace of the real user here: the login is not tried"
else
  for ((i = 0; i < ${#logins[@]}; ++i)); do
    read -r -a login <<<"${logins[i]}"
    QV_REGISTRY_DIR="$work/admin-registry-$i" "${hidden[@]}" env -u PGHOST -u PGPORT "$prefix/bin/QVAdmin" \
      >"$work/login.log" 2>&1 &
    admin=$!
    if "$build/bin/qvinstalledlogin" "$admin" "${login[@]}" >"$work/login.out" 2>&1 &&
       grep -qs SQLAdm_CS "$work/admin-registry-$i"/*; then
      echo "QVAdmin (installed): $(tail -1 "$work/login.out")${login[1]:+ as ${login[1]}}"
    else
      fail "QVAdmin did not log in to ${login[0]}: $(cat "$work/login.out" "$work/login.log")"
    fi
    kill "$admin" 2>/dev/null
    wait "$admin" 2>/dev/null
  done
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
echo "installed programs start and do their work with the source and build folders out of reach"
