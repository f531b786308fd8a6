#include "app/qt/window/CommandActions.h"

#include "app/commands/CommandTable.h"
#include "app/settings/RecentFiles.h"
#include "app/session/WindowListMenu.h"
#include "app/qt/window/KeypadShortcuts.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <map>
#include <string>

namespace pict::qt {
namespace {

QList<QKeySequence> keySequences(const char* keys) {
    QList<QKeySequence> out;
    for (const QString& part : QString::fromUtf8(keys).split(QStringLiteral("; "), Qt::SkipEmptyParts)) {
        QKeySequence sequence = QKeySequence::fromString(part.trimmed(), QKeySequence::PortableText);
        if (!sequence.isEmpty())
            out.append(sequence);
    }
    return out;
}

} // namespace

CommandActions::CommandActions(QWidget* shortcutHost) : QObject(shortcutHost), host_(shortcutHost) {
    for (const CommandSpec& info : commandTable()) {
        QAction* action = makeAction(info.id, this);
        action->setCheckable(info.isToggle());
        // The menu shows the registry's own shortcut text after the tab, not Qt's spelling
        // of the key (which would read "Num++" for "Numpad +").
        action->setText(QString::fromStdString(menuLabel(info)));
        action->setStatusTip(QString::fromStdString(statusLine(info)));
        action->setToolTip(QString::fromStdString(toolTip(info)));
        const QList<QKeySequence> keys = keySequences(info.keys);
        if (!keys.isEmpty()) {
            action->setShortcuts(keys);
            host_->addAction(action);
        }
        actions_.insert(info.id, action);
        ids_.push_back(info.id);
    }
    // Qt's X11 shortcut matching misses the keypad keys of Zoom In and its kin wherever the
    // focus is; this catches them for the whole window.
    new KeypadShortcuts(host_, actions_.values());
}

QAction* CommandActions::makeAction(uint16_t id, QObject* owner) {
    auto* action = new QAction(owner);
    action->setData(QVariant::fromValue<uint>(id));
    connect(action, &QAction::triggered, this, [this, id] { emit commandTriggered(id); });
    return action;
}

uint16_t CommandActions::idOf(const QAction* action) {
    if (!action)
        return 0;
    bool ok = false;
    const uint value = action->data().toUInt(&ok);
    return ok && value <= 0xFFFF ? static_cast<uint16_t>(value) : 0;
}

void CommandActions::buildMenus(QMenuBar* bar) {
    // Menus by their full path ("&Image/&Adjustments"). A submenu appears where its first
    // entry does, and may come before any entry of its parent, which is then made first.
    std::map<std::string, QMenu*> menus;
    std::function<QMenu*(const std::string&)> menuFor = [&](const std::string& path) -> QMenu* {
        if (auto found = menus.find(path); found != menus.end())
            return found->second;
        const size_t slash = path.rfind('/');
        QMenu* menu = nullptr;
        if (slash == std::string::npos)
            menu = bar->addMenu(QString::fromStdString(path));
        else
            menu = menuFor(path.substr(0, slash))->addMenu(QString::fromStdString(path.substr(slash + 1)));
        menus.emplace(path, menu);
        return menu;
    };
    for (const MenuEntry& entry : menuLayout()) {
        QMenu* menu = menuFor(entry.menu);
        if (entry.id == 0) {
            menu->addSeparator();
        } else if (entry.id == kCmdRecentFileFirst) {
            recentMenu_ = menu;
        } else if (QAction* action = this->action(entry.id)) {
            menu->addAction(action);
            if (entry.id == kCmdCascade)
                windowMenu_ = menu;
        }
    }
}

void CommandActions::rebuildRecentFiles(RecentFileList& list, int32_t maxCount) {
    if (!recentMenu_)
        return;
    // Recent items other than "Clear Recent" are made here; the menu owns them.
    for (QAction* old : recentMenu_->actions()) {
        recentMenu_->removeAction(old);
        if (old->parent() == recentMenu_)
            delete old;
    }
    for (const RecentMenuItem& item : buildRecentFilesMenu(list, maxCount)) {
        if (item.id == 0) {
            recentMenu_->addSeparator();
            continue;
        }
        QAction* action = item.id == kCmdClearRecent ? this->action(kCmdClearRecent) : nullptr;
        if (!action) {
            action = makeAction(item.id, recentMenu_);
            action->setText(QString::fromStdString(item.text));
        }
        action->setEnabled(item.enabled);
        recentMenu_->addAction(action);
    }
}

void CommandActions::rebuildWindowList(const std::vector<WindowListItem>& items) {
    if (!windowMenu_)
        return;
    // The item being triggered may be the one that asks for this rebuild; it goes later.
    for (QAction* old : windowList_) {
        windowMenu_->removeAction(old);
        old->deleteLater();
    }
    windowList_.clear();
    if (items.empty())
        return;
    windowList_.push_back(windowMenu_->addSeparator());
    for (const WindowListItem& item : items) {
        QAction* action = makeAction(item.id, windowMenu_);
        action->setText(QString::fromStdString(item.text));
        action->setCheckable(true);
        action->setChecked(item.checked);
        windowMenu_->addAction(action);
        windowList_.push_back(action);
    }
}

} // namespace pict::qt
