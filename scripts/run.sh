#!/usr/bin/env bash
# Sets up, builds and starts the editor (files given are opened).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
./scripts/build.sh release
if [ -x build/src/app/qt/pictorane ]; then
  exec build/src/app/qt/pictorane "$@"
else
  exec build/src/batch/pictorane-cli --help
fi
