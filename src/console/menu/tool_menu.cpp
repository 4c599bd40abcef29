// SPDX-License-Identifier: MIT
#include "menu/tool_menu.h"

#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <memory>

ToolMenu::ToolMenu(QWidget& window) : QObject(&window), window_(window) {}

void ToolMenu::addGroup(const QList<QAction*>& actions) {
    groups_.append(actions);
}

void ToolMenu::appendTo(QMenu& menu) const {
    for (const QList<QAction*>& group : groups_) {
        if (!menu.isEmpty())
            menu.addSeparator();
        menu.addActions(group);
    }
}

void ToolMenu::popup(const QPoint& globalPos) {
    QMenu menu(&window_);
    appendTo(menu);
    menu.exec(globalPos);
}

template <typename Box> void ToolMenu::attach(Box* box) {
    box->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(box, &QWidget::customContextMenuRequested, this, [this, box](const QPoint& pos) {
        // Qt's own entries, in the language of the installed Qt translation.
        const std::unique_ptr<QMenu> menu(box->createStandardContextMenu());
        appendTo(*menu);
        menu->exec(box->mapToGlobal(pos));
    });
}

template void ToolMenu::attach(QPlainTextEdit*);
template void ToolMenu::attach(QLineEdit*);
