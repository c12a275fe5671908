#!/bin/sh
# Runs tervane-cli with its standard output on a full device (the program's own std::cout, not a
# test stream): every command must exit with a failure.
cli=$1
doc=$2
status=0
for args in "--help" "translate z" "eval z 1 2" "sample --expr z" "sample $doc" "info $doc"; do
  # shellcheck disable=SC2086 # the arguments are split on purpose
  if "$cli" $args >/dev/full 2>/dev/null; then
    echo "exit 0 with a full standard output: $args"
    status=1
  fi
done
if printf 'eval\tz\t1\t2\n' | "$cli" batch >/dev/full 2>/dev/null; then
  echo "exit 0 with a full standard output: batch"
  status=1
fi
exit $status
