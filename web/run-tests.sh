#!/usr/bin/env bash
# The web stage of ./test.sh: builds the module, the package and the page
# (web/build.sh), then runs the Node tests: the module against lumcode, the
# package, the page's address, and the page in headless Chromium served on
# 127.0.0.1. The tests start and stop their own server and browser; the trap
# ends whatever a test that failed half-way left running.
set -euo pipefail
source "$(dirname "$0")/../scripts/common.sh"

"$LUM_ROOT/web/build.sh"
set -m # the tests run in a process group of their own
node --test "$LUM_ROOT"/tests/web/*.test.mjs &
tests=$!
trap 'kill -- -"$tests" 2>/dev/null || true' EXIT
wait "$tests"
