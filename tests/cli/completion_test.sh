#!/usr/bin/env bash
# The bash completion made from the tool's help: commands, options, KIND words and files.
#   completion_test.sh COMPLETION_FILE
set -u
source "$1"
cd "$(dirname "$0")/../.." || exit 1
failed=0
# complete WORDS... : the completions of the last word (an empty last word: ""), sorted.
complete_words() {
  COMP_WORDS=(ordex "$@")
  COMP_CWORD=$#
  COMPREPLY=()
  _ordex
  printf '%s\n' "${COMPREPLY[@]}" | sort | tr '\n' ' ' | sed 's/ $//'
}
expect() {
  local expected=$1
  shift
  local got
  got=$(complete_words "$@")
  if [[ $got != "$expected" ]]; then
    echo "ordex $* <TAB>: got '$got', expected '$expected'"
    failed=1
  fi
}
expect "check convert" c
expect "--help --version" --
expect "refs roundtrip" r
expect "--help --json --module" list examples/engine_ecu.a2l --
expect "--index" convert FILE M 00 --i
expect "compu-method compu-tab compu-vtab" show examples/engine_ecu.a2l compu
expect "measurements" list examples/engine_ecu.a2l --module Engine meas
expect "examples/engine_ecu.a2l" list examples/engine_
expect "examples/engine_ecu.a2l" write IN OUT --template examples/engine_
expect "show" help sh
if [[ $failed -eq 0 ]]; then echo "completion ok"; fi
exit $failed
