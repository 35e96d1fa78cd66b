#!/usr/bin/env bash
# Installs what is missing, builds the test configuration (Debug, AddressSanitizer and
# UndefinedBehaviorSanitizer, warnings as errors), runs every test through CTest, then builds the
# Debian package and checks it (scripts/check-package.sh).
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh
cmake --preset test
cmake --build --preset test
ctest --preset test --output-on-failure "$@"
./scripts/check-package.sh
