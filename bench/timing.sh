# What the benchmark scripts share (sourced): medians of repeated runs and the rows that compare
# them. Needs $work (a scratch folder) and $runs (runs per command).

# Median wall time and median processor time (user + system) in seconds of running "$@" RUNS
# times (or $count), each into a fresh $work/out: "WALL CPU". On a busy machine the processor
# time is the steadier of the two.
median() {
  local walls=() cpus=() TIMEFORMAT='%3U %3S' user system
  for ((i = 0; i < ${count:-$runs}; i++)); do
    rm -rf "$work/out" && mkdir -p "$work/out"
    # The shell's own clock: starting `date` would add a process's start to every time.
    local start end
    start=${EPOCHREALTIME/[.,]/}
    { time "$@" >/dev/null 2>&1; } 2>"$work/time"
    end=${EPOCHREALTIME/[.,]/}
    read -r user system <"$work/time"
    walls+=("$((end - start))")
    cpus+=("$(awk -v u="$user" -v s="$system" 'BEGIN { printf "%d", (u + s) * 1e6 }')")
  done
  local pick='{ t[NR] = $1 } END { printf "%.3f", t[int((NR + 1) / 2)] / 1e6 }'
  echo "$(printf '%s\n' "${walls[@]}" | sort -n | awk "$pick")" \
    "$(printf '%s\n' "${cpus[@]}" | sort -n | awk "$pick")"
}

row() {  # name "ours (WALL CPU)" "theirs (WALL CPU)" target: judged on wall time
  awk -v name="$1" -v ours="$2" -v theirs="$3" -v target="$4" 'BEGIN {
    split(ours, o, " "); split(theirs, t, " ")
    ratio = o[1] / t[1]
    cpu = t[2] > 0 ? o[2] / t[2] : 0
    printf "%-34s %8.3f s %8.3f s %7.2f %7.2f   %s\n", name, o[1], t[1], ratio, cpu,
           target == "" ? "" : (ratio <= target ? "<= " target " met" : "> " target " MISSED")
  }'
}
