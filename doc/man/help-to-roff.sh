#!/usr/bin/env bash
# Builds the manual page of pictorane-cli: the hand-written sections of pictorane-cli.1.in
# around the step list, which is taken from the program's own --help so that the two never
# disagree.   help-to-roff.sh PICTORANE-CLI TEMPLATE OUTPUT
set -euo pipefail
cli=$1 template=$2 output=$3
steps=$("$cli" --help | awk '
  function roff(text) {
    gsub(/\\/, "\\e", text)
    gsub(/-/, "\\-", text)
    sub(/^[.'"'"']/, "\\\\\\&&", text)
    return text
  }
  function entry(form, help) { printf ".TP\n.B %s\n%s\n", roff(form), roff(help) }
  /^[A-Z][A-Za-z ,]*:$/ { listing = 1; sub(/:$/, ""); printf ".SS %s\n", $0; next }
  !listing || /^$/ || /^  --help / { next }
  /^  [^ ]/ {
    line = substr($0, 3)
    if (match(line, /  +/)) entry(substr(line, 1, RSTART - 1), substr(line, RSTART + RLENGTH))
    else pending = line
    next
  }
  /^   +[^ ]/ && pending != "" { sub(/^ +/, ""); entry(pending, $0); pending = "" }
')
awk -v steps="$steps" '$0 == "@STEPS@" { print steps; next } { print }' "$template" > "$output.tmp"
mv "$output.tmp" "$output"
