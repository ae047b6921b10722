#!/bin/sh
# Renders each manual page as man shows it and fails on any warning of the
# formatter (a bad request, a line that cannot be broken) or a page that comes
# out without its sections.
set -eu
status=0
for page in "$@"; do
  if ! text=$(MANWIDTH=80 man --warnings -l "$page" 2>"$page.warnings"); then
    echo "$page: man failed" >&2
    status=1
  fi
  if [ -s "$page.warnings" ]; then
    echo "$page: man warns:" >&2
    cat "$page.warnings" >&2
    status=1
  fi
  for section in NAME SYNOPSIS DESCRIPTION OPTIONS "EXIT STATUS" FILES EXAMPLES COPYRIGHT "SEE ALSO"; do
    if ! printf '%s\n' "$text" | grep -q "^$section\$"; then
      echo "$page: no $section section" >&2
      status=1
    fi
  done
  rm -f "$page.warnings"
done
exit $status
