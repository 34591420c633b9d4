# The shell library of the end-to-end cases, the package tests and the benchmarks, in one
# source line: every helper of this folder (each file says what it holds and what it
# needs), and scripts/lib/setup.sh for the private display, Wine and Windows paths.
source "${BASH_SOURCE[0]%/*}/../../../scripts/lib/setup.sh"
source "${BASH_SOURCE[0]%/*}/case.sh"
source "${BASH_SOURCE[0]%/*}/waiting.sh"
source "${BASH_SOURCE[0]%/*}/events.sh"
source "${BASH_SOURCE[0]%/*}/screen.sh"
source "${BASH_SOURCE[0]%/*}/product.sh"
