# Shared by the benchmarks that run the program on a real X server.  Sourced.
# Starts an Xvfb of our own on a display number it picks itself (so that runs
# of other people on the same machine keep to their own servers), never
# resetting between runs, and sets the environment the program runs in: a
# home of its own, as a user has on a first start.  bench_cleanup runs at
# exit; scripts add their own clean-up to bench_temporaries.

bench_temporaries=()
bench_cleanup() {
    [ -n "${bench_xvfb:-}" ] && kill "$bench_xvfb" 2>/dev/null || true
    rm -rf "${bench_temporaries[@]}"
}
trap bench_cleanup EXIT

bench_number_file=$(mktemp)
bench_temporaries+=("$bench_number_file")
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$bench_number_file" >/dev/null 2>&1 &
bench_xvfb=$!
for _ in $(seq 100); do
    [ -s "$bench_number_file" ] && break
    sleep 0.1
done
[ -s "$bench_number_file" ] || { echo "Xvfb did not start" >&2; exit 2; }
export DISPLAY=":$(head -n 1 "$bench_number_file")"
unset QT_QPA_PLATFORM  # a real X server, as a user has
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
[ "$(id -u)" -eq 0 ] && export QTWEBENGINE_DISABLE_SANDBOX=1
bench_home=$(mktemp -d)
bench_temporaries+=("$bench_home")
export HOME="$bench_home" XDG_DATA_HOME="$bench_home/data"
