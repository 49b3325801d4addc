#!/usr/bin/env bash
# Builds everything and runs every test: the whole suite once under
# AddressSanitizer and UndefinedBehaviorSanitizer, then each fuzz target for a
# bounded time. Installs what it needs first.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/bagimliliklar.sh test
export DOTEZMAR_TEST_PG="$(scripts/postgresql.sh)"

cmake --preset test
cmake --build --preset test
ctest --preset test

cmake --preset fuzz
cmake --build --preset fuzz
ctest --preset fuzz
