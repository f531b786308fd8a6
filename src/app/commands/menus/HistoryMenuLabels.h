#pragma once
// The Edit menu's Undo and Redo items name the step they would take ("Undo Fill\tCtrl+Z");
// with nothing to undo (redo) they keep their plain texts.

#include <string>

namespace pict {

class HistoryManager;

// history may be null (no document window).
std::string undoMenuLabel(const HistoryManager* history);
std::string redoMenuLabel(const HistoryManager* history);

} // namespace pict
