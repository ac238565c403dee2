#!/usr/bin/env bash
# Runs every fuzz target of the native text core for the given seconds each (default 60), from its
# seeds in tests/fuzz/corpus/<target>/ plus what earlier runs found (build/native/fuzz/<target>/),
# with the words of tests/fuzz/<target>.dict,
# and prints executions, edge coverage and findings per target. Exits non-zero on any finding;
# the input that found it is left in build/native/fuzz/<target>-artifacts/.
#   bash scripts/fuzz.sh [seconds] [target...]
# With VEXA_FUZZ_RUNS=N each target runs N executions instead of a time (the long runs before a release).
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
seconds="${1:-60}"
shift || true
install_packages
build_native
cd "$VEXA_NATIVE_BUILD"
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=($(cd "$VEXA_ROOT/tests/fuzz" && ls *Fuzzer.cpp | sed 's/\.cpp$//'))
status=0
printf '%-22s %12s %8s %9s %8s  %s\n' target executions edges corpus seconds findings
for target in "${targets[@]}"; do
  mkdir -p "fuzz/$target" "fuzz/$target-artifacts"
  log="fuzz/$target.log"
  dictionary=()
  [ -f "$VEXA_ROOT/tests/fuzz/$target.dict" ] && dictionary=(-dict="$VEXA_ROOT/tests/fuzz/$target.dict")
  limit=(-max_total_time="$seconds")
  [ -n "${VEXA_FUZZ_RUNS:-}" ] && limit=(-runs="$VEXA_FUZZ_RUNS")
  started=$SECONDS
  if "./$target" "${limit[@]}" -print_final_stats=1 -artifact_prefix="fuzz/$target-artifacts/" \
       "${dictionary[@]}" "fuzz/$target" "$VEXA_ROOT/tests/fuzz/corpus/$target" >"$log" 2>&1; then
    findings=none
  else
    findings="$(grep -m1 -E 'invariant broken|ERROR: |runtime error' "$log" || echo "exit status")"
    status=1
  fi
  runs=$(grep -o 'number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || true)
  edges=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | grep -o '[0-9]*$' || true)
  printf '%-22s %12s %8s %9s %8s  %s\n' "$target" "${runs:-?}" "${edges:-?}" "$(ls "fuzz/$target" | wc -l)" \
    "$((SECONDS - started))" "$findings"
done
exit $status
