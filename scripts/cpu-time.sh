#!/usr/bin/env bash
# Sourced by the test scripts: the CPU time their parts take, beside the wall time. Other
# builds on the same cores stretch the wall time; the CPU time says what a part costs.
VELMORA_CPU_FILE=$(mktemp)
trap 'rm -f "$VELMORA_CPU_FILE"' EXIT

# cpu_now: sets CPU_NOW to the CPU seconds (user + system) of the finished child processes.
# `times` runs in this shell (a subshell would count its own children only).
cpu_now() {
    times >"$VELMORA_CPU_FILE"
    CPU_NOW=$(awk 'NR == 2 { for (i = 1; i <= 2; i++) { split($i, t, "m"); s += t[1] * 60 + t[2] }
        printf "%d", s }' "$VELMORA_CPU_FILE")
}
