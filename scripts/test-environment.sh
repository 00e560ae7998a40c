# SPDX-License-Identifier: GPL-3.0-or-later
# The environment every test run shares (sourced by test.sh and
# stress-tests.sh): headless windows, the test sound server required, and
# the sanitizers' options.
export PULSE_RUNTIME_PATH=${PULSE_RUNTIME_PATH:-/tmp/kelmot-pulse}
export QT_QPA_PLATFORM=offscreen
export KELMOT_REQUIRE_SOUND=1
# Programs the scripts and tests start keep their runs and settings here,
# never in the journal or the settings of the real home.
export XDG_DATA_HOME="$PWD/build/test-data"
export XDG_CONFIG_HOME="$PWD/build/test-config"
# The accessibility engine the page test runs (put there by install-deps.sh).
export KELMOT_AXE_JS="$PWD/.cache/axe-core/node_modules/axe-core/axe.min.js"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
# A reported race fails its test (exit code 66).
export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:suppressions=$PWD/tests/tsan.supp"
