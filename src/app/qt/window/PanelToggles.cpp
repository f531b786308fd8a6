#include "app/qt/window/PanelToggles.h"

#include <QAction>
#include <QDockWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace pict::qt {
namespace {

QMenu* viewMenu(QMainWindow& window) {
    for (QAction* action : window.menuBar()->actions())
        if (action->menu() && action->text() == QStringLiteral("&View"))
            return action->menu();
    return nullptr;
}

} // namespace

void addPanelToggle(QMainWindow& window, QDockWidget& panel) {
    QMenu* menu = viewMenu(window);
    if (!menu)
        return;
    const QList<QAction*> entries = menu->actions();
    if (entries.isEmpty() || !qobject_cast<QDockWidget*>(entries.last()->parent()))
        menu->addSeparator();
    menu->addAction(panel.toggleViewAction());
}

} // namespace pict::qt
