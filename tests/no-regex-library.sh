#!/usr/bin/env bash
# Runs the scripts of tests/scripts-no-regex with a copy of the runtime in a folder of
# its own, where no regular-expression library lies beside it: the commands that need
# one must say that it is missing.
# usage: tests/no-regex-library.sh RUNTIME SCRIPT_DIR
set -u
here=$(cd "$(dirname "$0")" && pwd)
alone=$(mktemp -d)
trap 'rm -rf "$alone"' EXIT
cp "$1" "$alone/"
exec "$here/run-scripts.sh" "$alone/$(basename "$1")" "$2"
