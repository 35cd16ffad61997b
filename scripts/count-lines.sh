#!/usr/bin/env bash
# Prints the non-blank, non-comment lines of the product's C++ sources and
# resource scripts, those of the tests, and the tests' share of the product.
set -euo pipefail
cd "$(dirname "$0")/.."
product_dirs=(settings keycodes report fields link ui shell sheets resources tools)

# Lines left after dropping // comments, /* */ comments that open a line, and
# blank lines (a "/*" inside a string does not start a comment).
count() {
  find "$@" -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.rc' \) -print0 |
    xargs -0 cat |
    sed -e 's#^[[:space:]]*/\*.*\*/[[:space:]]*$##' -e '/^[[:space:]]*\/\*/,/\*\//d' -e 's#//.*$##' |
    grep -cv '^[[:space:]]*$'
}

product=$(count "${product_dirs[@]}")
tests=$(count tests)
echo "product lines: $product"
echo "test lines:    $tests"
awk -v t="$tests" -v p="$product" 'BEGIN { printf "ratio:         %.2f\n", t / p }'
