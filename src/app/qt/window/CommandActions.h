#pragma once
// The editor's QActions, one per command id of the registry, and the menu bar built from the
// registry's layout. Every action carries its id as data; triggering any of them reports
// only that id, and the main window routes it.

#include <QHash>
#include <QObject>

#include <cstdint>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

namespace pict {
class RecentFileList;
struct WindowListItem;
}

namespace pict::qt {

class CommandActions : public QObject {
    Q_OBJECT
public:
    // Creates the actions; those with shortcuts are added to shortcutHost so that their keys
    // work even when no menu shows them (Alt+Delete, Ctrl+Delete).
    explicit CommandActions(QWidget* shortcutHost);

    // Fills the menu bar with the registry's menus, submenus and separators.
    void buildMenus(QMenuBar* bar);

    // Null for an id the registry does not know.
    QAction* action(uint16_t id) const { return actions_.value(id, nullptr); }
    const std::vector<uint16_t>& ids() const { return ids_; }

    // The "Recent Files" submenu (null before buildMenus), rebuilt from the list.
    QMenu* recentFilesMenu() const { return recentMenu_; }
    void rebuildRecentFiles(RecentFileList& list, int32_t maxCount);

    // The "Window" menu (null before buildMenus); its list of open windows follows its
    // arrangement commands, after a separator, and is replaced by each rebuild.
    QMenu* windowMenu() const { return windowMenu_; }
    void rebuildWindowList(const std::vector<WindowListItem>& items);

    // The id an action carries, or 0 for an action that is not a command.
    static uint16_t idOf(const QAction* action);

signals:
    void commandTriggered(uint16_t id);

private:
    QAction* makeAction(uint16_t id, QObject* owner);

    QWidget* host_;
    QHash<uint16_t, QAction*> actions_;
    std::vector<uint16_t> ids_; // registry order
    QMenu* recentMenu_ = nullptr;
    QMenu* windowMenu_ = nullptr;
    std::vector<QAction*> windowList_; // the separator and the window items
};

} // namespace pict::qt
