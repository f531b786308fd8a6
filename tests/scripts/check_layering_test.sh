#!/usr/bin/env bash
# The layering check on a small made-up tree: a clean tree passes, and each kind of breach
# (an upward include, an upward link, a Qt header outside app/qt, a Qt host included by the
# application layer) fails with a line naming the file.   check_layering_test.sh CHECKER
set -euo pipefail
checker=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fresh_tree() {
  rm -rf "$work/src"
  mkdir -p "$work/src"/{surface,document,imageops,selection,history/filter,app/commands,app/qt/window,batch}
  echo '#include "surface/A.h"' >"$work/src/document/B.cpp"
  echo '#include "document/B.h"' >"$work/src/selection/C.cpp"
  printf '#include "imageops/D.h"\n#include "selection/C.h"\n' >"$work/src/history/filter/E.cpp"
  printf '#include "history/filter/E.h"\n#include <QWidget>\n' >"$work/src/app/qt/window/F.cpp"
  echo '#include "app/commands/G.h"' >"$work/src/batch/H.cpp"
  echo 'pict_module(history DEPS pict_imageops pict_selection pict_document)' >"$work/src/history/CMakeLists.txt"
  echo 'target_link_libraries(pict_qt PUBLIC pict_app Qt6::Widgets)' >"$work/src/app/qt/CMakeLists.txt"
}

failures=0
expect() { # expect PASS|FAIL TEXT-IN-OUTPUT DESCRIPTION
  local want=$1 text=$2 what=$3 out rc=0
  out=$("$checker" "$work" 2>&1) || rc=$?
  if [[ $want == PASS && $rc != 0 ]] || [[ $want == FAIL && ( $rc == 0 || $out != *"$text"* ) ]]; then
    echo "FAILED: $what (exit $rc): $out"; failures=$((failures + 1))
  fi
}

fresh_tree
expect PASS "" "a tree that keeps the order"

fresh_tree
echo '#include "history/HistoryState.h"' >"$work/src/imageops/D.cpp"
expect FAIL "src/imageops/D.cpp:1: imageops may not include history/HistoryState.h" "imageops reaching up to history"

fresh_tree
echo '#include "imageops/D.h"' >"$work/src/selection/K.cpp"
expect FAIL "selection may not include imageops/D.h" "selection and imageops are siblings"

fresh_tree
echo '#include <QImage>' >"$work/src/history/filter/Q.cpp"
expect FAIL "src/history/filter/Q.cpp: Qt headers belong in app/qt only" "a Qt header in the history"

fresh_tree
echo '#include "app/qt/window/F.h"' >"$work/src/app/commands/L.cpp"
expect FAIL "only app/qt may include Qt hosts" "the command layer including a Qt host"

fresh_tree
echo 'pict_module(selection DEPS pict_history pict_document)' >"$work/src/selection/CMakeLists.txt"
expect FAIL "src/selection/CMakeLists.txt: links pict_history" "selection linking the history"

fresh_tree
echo 'target_link_libraries(pict_qt PUBLIC pict_batch)' >"$work/src/app/qt/CMakeLists.txt"
expect FAIL "src/app/qt/CMakeLists.txt: links pict_batch" "the editor linking the batch tool"

exit $((failures > 0))
