#!/usr/bin/env bash
# Command families outside the engine (library/, system/) reach the interpreter only
# through engine/command_api.h: any other engine header there is reported.
#   tests/family-includes.sh ROOT
set -u
root=${1:?usage: $0 ROOT}
bad=$(cd "$root" && grep -rnE '#include +"engine/' library system 2>/dev/null | grep -v '"engine/command_api\.h"')
if [ -n "$bad" ]; then
  echo "engine headers other than engine/command_api.h in command families:"
  echo "$bad"
  exit 1
fi
echo "command families include no engine header but engine/command_api.h"
