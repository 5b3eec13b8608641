#!/bin/sh
# The ordex tool on targets that cannot take what it writes: a write or an in-place edit
# onto a full disk (a file-size limit stands in for it, which needs no privileges) fails
# with exit status 1 and leaves the old file byte for byte and no temporary file; a
# device that refuses the bytes, for the written file and for standard output, fails the
# same way.
#   full_target_test.sh TOOL SOURCE_DIR
set -u
tool=$1
source_dir=$2
example=$source_dir/examples/engine_ecu.a2l
script=$source_dir/tests/data/edit_script_engine_changes.txt
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0

# expect STATUS DESCRIPTION COMMAND...: the command exits with STATUS.
expect() {
  want=$1
  what=$2
  shift 2
  "$@" >"$work/out" 2>"$work/err"
  got=$?
  if [ "$got" != "$want" ]; then
    echo "FAIL: $what: exit status $got, expected $want"
    cat "$work/err"
    failed=1
  fi
}

# unchanged FILE DESCRIPTION: FILE still equals the example and stands alone in its folder.
unchanged() {
  if ! cmp -s "$1" "$example"; then
    echo "FAIL: $2: $1 was changed"
    failed=1
  fi
  entries=$(ls -A "$(dirname "$1")" | wc -l)
  if [ "$entries" != 1 ]; then
    echo "FAIL: $2: the folder holds $(ls -A "$(dirname "$1")")"
    failed=1
  fi
}

# Files may hold at most 4 blocks of 512 bytes; the example writes more than that.
limited() {
  (trap '' XFSZ; ulimit -f 4 && exec "$@")
}

mkdir "$work/write" "$work/edit"
cp "$example" "$work/write/user.a2l"
expect 1 "write onto a full disk" limited "$tool" write "$example" "$work/write/user.a2l"
unchanged "$work/write/user.a2l" "write onto a full disk"

cp "$example" "$work/edit/user.a2l"
expect 1 "edit in place on a full disk" \
  limited "$tool" edit "$work/edit/user.a2l" "$work/edit/user.a2l" "$script"
unchanged "$work/edit/user.a2l" "edit in place on a full disk"

# The same in-place edit with room enough succeeds.
expect 0 "edit in place" "$tool" edit "$work/edit/user.a2l" "$work/edit/user.a2l" "$script"
if cmp -s "$work/edit/user.a2l" "$example"; then
  echo "FAIL: edit in place: the file was not changed"
  failed=1
fi

expect 1 "write to /dev/full" "$tool" write "$example" /dev/full
if ! grep -q "rcOutputCreateFailed (-5)" "$work/err"; then
  echo "FAIL: write to /dev/full: $(cat "$work/err")"
  failed=1
fi

for command in "info $example" "list $example characteristics" \
  "show $example characteristic IgnitionMap" "check $example"; do
  # shellcheck disable=SC2086
  if "$tool" $command >/dev/full 2>"$work/err"; then
    echo "FAIL: $command > /dev/full: exit status 0"
    failed=1
  elif ! grep -q "cannot write standard output" "$work/err"; then
    echo "FAIL: $command > /dev/full: $(cat "$work/err")"
    failed=1
  fi
done

if [ "$failed" = 0 ]; then
  echo "full targets: ok"
fi
exit "$failed"
