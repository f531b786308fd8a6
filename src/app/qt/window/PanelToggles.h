#pragma once
// The View menu's show/hide items for the main window's docked panels.

class QDockWidget;
class QMainWindow;

namespace pict::qt {

// Adds the panel's toggle to the View menu, the panels' toggles standing together after
// one separator below the view commands. Does nothing for a window without a View menu.
void addPanelToggle(QMainWindow& window, QDockWidget& panel);

} // namespace pict::qt
