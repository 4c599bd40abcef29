// SPDX-License-Identifier: MIT
#pragma once

#include <QList>
#include <QObject>
#include <QPoint>

class QAction;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QWidget;

// The tool's own context menu: groups of actions split by separators. It opens from the
// window's background and, below a text box's own Copy / Select All entries, from every
// text box and editable list, so a right click anywhere reaches it.
class ToolMenu final : public QObject {
    Q_OBJECT
public:
    explicit ToolMenu(QWidget& window);

    void addGroup(const QList<QAction*>& actions);
    // Adds the tool's entries below the text box's own menu.
    void attachTo(QPlainTextEdit* box) { attach(box); }
    void attachTo(QLineEdit* box) { attach(box); }

    void popup(const QPoint& globalPos);
    // Appends the tool's groups to a menu that already holds entries of its own.
    void appendTo(QMenu& menu) const;

private:
    template <typename Box> void attach(Box* box);

    QWidget& window_;
    QList<QList<QAction*>> groups_;
};
