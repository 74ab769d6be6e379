# Sourced by the sanitizer steps beside it (not a step itself: not *.sh).
#   start_or_skip STEP PROGRAM [ARG...]
# runs a quick start of a program the step built (its test list) and returns
# when it ran. When the sanitizer's own runtime cannot start there (its
# shadow memory does not fit this kernel's address layout or limits, or the
# leak checker cannot stop the threads, as in a container without ptrace),
# the step ends as skipped with one line saying why; any other failure ends
# it as failed, with the program's output.
start_failures='ThreadSanitizer: unexpected memory mapping|ThreadSanitizer can not mmap|ThreadSanitizer failed to allocate|Shadow memory range interleaves|AddressSanitizer failed to allocate|ReserveShadowMemoryRange failed|Sanitizer: CHECK failed|LeakSanitizer has encountered a fatal error|LeakSanitizer does not work under ptrace'

start_or_skip() {
  local step=$1
  shift
  local log status=0
  log=$(mktemp)
  # In a shell of its own, whose report of a death by signal goes to the log.
  ( "$@"; exit $? ) >"$log" 2>&1 || status=$?
  if [ "$status" -eq 0 ]; then
    rm -f "$log"
    return 0
  fi
  local why
  why=$(grep -m1 -oE "($start_failures).*" "$log" || true)
  if [ -n "$why" ]; then
    echo "$step: the sanitizer's runtime cannot start $(basename "$1") on this machine ($why); skipped"
    rm -f "$log"
    exit 0
  fi
  echo "$step: $(basename "$1") failed to start (exit status $status):" >&2
  cat "$log" >&2
  rm -f "$log"
  exit 1
}
