#!/usr/bin/env bash
# Start-up timing: how long after the splash's second the main window is on the screen.
# Runs the program RUNS times (default 15) under Xvfb with openbox as window manager, each time
# from a fresh copy of the application folder, and reads the timestamps the program logs when
# CAMVISTA_STARTUP_LOG names a file. Prints each run's delays and their minimum, median and
# maximum:
#   late    main window mapped - (splash timer started + 1000 ms)
#   seen    main window mapped - (splash mapped + 1000 ms), as the user sees it
#   bench/startup.sh [build folder] [runs] [screen]   (default build/release 15 1280x1024)
# KEEP_LOGS=1 keeps the raw logs in /tmp/camvista-startup-logs.
# Needs xvfb-run and openbox (Debian packages xvfb, xauth, openbox).
set -euo pipefail
cd "$(dirname "$0")/.."
build="$(realpath "${1:-build/release}")"
runs="${2:-15}"
screen="${3:-1280x1024}"
work="$(mktemp -d)"
trap '[ -n "${KEEP_LOGS:-}" ] && cp -r "$work" /tmp/camvista-startup-logs; rm -rf "$work"' EXIT

cat >"$work/runs.sh" <<'RUNS'
#!/usr/bin/env bash
set -euo pipefail
build="$1" runs="$2" work="$3"
openbox >/dev/null 2>&1 &
wm=$!
sleep 1
for i in $(seq 1 "$runs"); do
  rm -rf "$work/app" && cp -r "$build/app" "$work/app"
  log="$work/log-$i"
  CAMVISTA_STARTUP_LOG="$log" "$work/app/camvista" >/dev/null 2>&1 &
  pid=$!
  for _ in $(seq 1 100); do
    grep -q '^main window mapped ' "$log" 2>/dev/null && break
    sleep 0.1
  done
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
done
kill "$wm" 2>/dev/null || true
RUNS
chmod +x "$work/runs.sh"
xvfb-run -a -s "-screen 0 ${screen}x24" "$work/runs.sh" "$build" "$runs" "$work"

for i in $(seq 1 "$runs"); do
  awk -v run="$i" '
    /^splash timer started / { start = $NF }
    /^splash mapped / { splash = $NF }
    /^main window mapped / { main = $NF }
    END {
      if (main == "") { printf "run %d: the main window was never mapped\n", run; exit }
      if (splash == "") printf "run %2d: late %7.2f ms  seen     n/a (splash never mapped)\n", run, main - start - 1000
      else printf "run %2d: late %7.2f ms  seen %7.2f ms\n", run, main - start - 1000, main - splash - 1000
    }' "$work/log-$i"
done | tee "$work/summary"

awk 'BEGIN { n = 0; m = 0 } /late/ { late[n++] = $4 } /seen  *-?[0-9]/ { seen[m++] = $7 }
  function report(name, a, n,    i, j, x, sorted, over) {
    for (i = 0; i < n; i++) sorted[i] = a[i]
    for (i = 1; i < n; i++) { x = sorted[i]; for (j = i - 1; j >= 0 && sorted[j] > x; j--)
      sorted[j + 1] = sorted[j]; sorted[j + 1] = x }
    over = 0; for (i = 0; i < n; i++) if (a[i] > 40) over++
    printf "%s: min %.2f  median %.2f  max %.2f ms; %d of %d runs over 40 ms\n", name,
      sorted[0], (n % 2 ? sorted[int(n / 2)] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2),
      sorted[n - 1], over, n
  }
  END { if (n) report("late", late, n); if (m) report("seen", seen, m) }' "$work/summary"
