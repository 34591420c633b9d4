# Shared by the end-to-end cases, the package tests and the benchmarks: how a case fails,
# is skipped and ends. The script that sources it sets WORK (its private folder) and
# CASE_TAG (what heads its failures), may define describe_failure (what it shows below a
# failure) and end_case (what it ends before its folder goes; a status other than 0 keeps
# the folder), and sets `trap cleanup EXIT`.

# fail MESSAGE: the case failed: the message, then what describe_failure shows, on
# standard error.
fail() {
  echo "FAIL${CASE_TAG:+ [$CASE_TAG]}: $*" >&2
  if declare -F describe_failure >/dev/null; then describe_failure >&2; fi
  exit 1
}

# skip REASON: the case cannot run here (ctest counts the status 77 as skipped).
skip() {
  echo "SKIP${CASE_TAG:+ [$CASE_TAG]}: $*"
  exit 77
}

# show_file LABEL FILE [LINES]: the file's lines (its last LINES only, when given), each
# headed by the label; nothing when there is no such file.
show_file() {
  [ -f "$2" ] || return 0
  if [ -n "${3:-}" ]; then tail -n "$3" "$2"; else cat "$2"; fi | sed "s|^|  $1: |"
}

cleanup() {
  if ! declare -F end_case >/dev/null || end_case; then rm -rf "$WORK"; fi
}
