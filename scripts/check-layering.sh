#!/usr/bin/env bash
# Fails when a source file includes a header its library may not use, or a library links one it
# may not use: dependencies run one way (surface <- document <- imageops and selection <-
# history <- the application layer <- the batch tool and the Qt editor) and only app/qt sees Qt.
# The build runs this before compiling anything.   check-layering.sh [SOURCE-ROOT]
set -euo pipefail
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$root/src"

# Which top-level folders a library's files may include from (besides its own and common/).
declare -A may_use=(
  [surface]=""
  [document]="surface"
  [imageops]="surface document"
  [selection]="surface document"
  [codecs]="surface document"
  [history]="surface document imageops selection"
  [canvas]="surface document imageops selection history"
  [app]="surface document imageops selection history codecs canvas"
  [batch]="surface document imageops selection history codecs canvas app"
  [common]=""
)

status=0
while IFS= read -r file; do
  lib=${file%%/*}
  in_qt=0
  [[ $file == app/qt/* ]] && in_qt=1
  allowed=" $lib common ${may_use[$lib]:-} "
  while IFS=: read -r line include; do
    target=${include%%/*}
    if [[ $in_qt == 1 ]]; then
      [[ $target == batch ]] && { echo "src/$file:$line: the editor must not include the batch tool ($include)"; status=1; }
      continue
    fi
    if [[ $lib == app && $include == app/qt/* ]]; then
      echo "src/$file:$line: only app/qt may include Qt hosts ($include)"; status=1
    elif [[ $allowed != *" $target "* ]]; then
      echo "src/$file:$line: $lib may not include $include (allowed: $lib common ${may_use[$lib]:-})"; status=1
    fi
  done < <(grep -n -o '^#include "[^"]*"' "$file" | sed 's/#include "\(.*\)"/\1/')
  if [[ $in_qt == 0 ]] && grep -n -E '^#include <(Q[A-Za-z]*|Qt[A-Za-z]*/[^>]*)>' "$file"; then
    echo "src/$file: Qt headers belong in app/qt only"; status=1
  fi
done < <(find . -name '*.h' -o -name '*.cpp' | sed 's#^\./##' | sort)

# The libraries each one links say the same: a CMakeLists.txt names only the pict_ libraries
# its folder may use (the Qt editor links the application layer alone).
while IFS= read -r list; do
  folder=${list%/CMakeLists.txt}
  lib=${folder%%/*}
  allowed=" $lib ${may_use[$lib]:-} "
  [[ $folder == app/qt ]] && allowed=" qt app "
  for dep in $(grep -o 'pict_[a-z]*' "$list" | sed 's/^pict_//' | sort -u); do
    case $dep in module | warnings | layering) continue ;; esac
    if [[ $allowed != *" $dep "* ]]; then
      echo "src/$list: links pict_$dep, which $folder may not use (allowed: ${allowed# })"; status=1
    fi
  done
done < <(find . -name CMakeLists.txt -path './*/*' | sed 's#^\./##' | sort)
exit $status
