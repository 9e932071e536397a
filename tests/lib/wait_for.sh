# Sourced by the test scripts: polls a command until it succeeds. The limit
# (two minutes) only guards against a hang; the calling script defines
# `fail`.
wait_for() {
  local what=$1
  shift
  for _ in $(seq 1 1200); do
    if "$@" >/dev/null 2>&1; then return 0; fi
    sleep 0.1
  done
  fail "timed out waiting for $what"
}
