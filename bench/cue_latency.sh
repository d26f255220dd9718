#!/usr/bin/env bash
# How soon a phase's spoken cue is heard: Practise Along's benchmark "speak"
# against a speech server of its own, as the end-to-end tests run it, whose
# output module notes when it begins each phrase.
# Usage: bench/cue_latency.sh BUILD [full]   (a build with -DPRANOTH_BENCH=ON; "full"
# reads the steps in and out too, and the time each phrase is said shows them whole)
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/../tests/e2e/lib.sh"
# shellcheck source=tests/e2e/speech.sh
source "$(dirname "${BASH_SOURCE[0]}")/../tests/e2e/speech.sh"

build=$(cd "${1:?usage: bench/cue_latency.sh BUILD}" && pwd)
private_home
start_speech_server
# The speech client library keeps a little of its own to the end.
ASAN_OPTIONS=detect_leaks=0 QT_QPA_PLATFORM=offscreen "$build/pranoth_practice_bench" speak "${2:-}" 2> >(grep -v propagateSizeHints >&2)
