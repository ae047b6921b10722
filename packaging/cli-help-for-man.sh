#!/bin/sh
# Stands in for tremolux-cli (TREMOLUX_CLI) when help2man asks for --help and
# --version: the help lists the command forms under a bare "Usage:" line, some
# on two lines, and help2man reads a synopsis only as "Usage: FORM" followed
# by "or: FORM" lines. The rest of the help passes through unchanged.
set -eu
if [ "${1:-}" = "--version" ]; then
  echo "tremolux-cli $TREMOLUX_VERSION"
  exit 0
fi
"$TREMOLUX_CLI" --help | awk '
  /^Usage:$/ { usage = 1; next }
  usage && /^  tremolux-cli / { forms[++n] = substr($0, 3); next }
  usage && /^ +[^ ]/ { sub(/^ +/, ""); forms[n] = forms[n] " " $0; next }
  usage {
    for (i = 1; i <= n; i++)
      print (i == 1 ? "Usage: " : "  or:  ") forms[i]
    usage = 0
  }
  { print }
'
