#pragma once

#include "core/app/ProgramProfile.h"
#include "gui/common/QtString.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <functional>
#include <span>
#include <utility>

// A window's handler for each menu command it answers.
template <class Receiver>
using CommandHandlers = std::span<const std::pair<timbra::Command, void (Receiver::*)()>>;

// Fills a menu bar with a program profile's menus: one action per entry, named after its command
// (windows and tests find actions by that name) and with its status-bar prompt, separators where
// the profile has them, each action connected to the receiver's handler for its command.
// `ownAction` may give an entry an action of its own (the undo history's items); otherwise a plain
// one is added.
template <class Receiver>
void addProfileMenus(QMenuBar* bar, const std::vector<timbra::Menu>& menus, Receiver* receiver,
                     CommandHandlers<Receiver> handlers,
                     const std::function<QAction*(const timbra::MenuEntry&, QMenu*)>& ownAction = {}) {
    for (const timbra::Menu& menu : menus) {
        QMenu* qmenu = bar->addMenu(qs(menu.title));
        for (const timbra::MenuEntry& entry : menu.entries) {
            if (entry.separator()) {
                qmenu->addSeparator();
                continue;
            }
            QAction* action = ownAction ? ownAction(entry, qmenu) : nullptr;
            if (!action) action = qmenu->addAction(qs(entry.text));
            action->setObjectName(qs(timbra::actionName(entry.command)));
            action->setStatusTip(qs(entry.prompt));
            for (const auto& [command, handler] : handlers)
                if (command == entry.command)
                    QObject::connect(action, &QAction::triggered, receiver, handler);
        }
    }
}
