// SPDX-License-Identifier: MIT
#include "menu/part_actions.h"

#include <QAction>
#include <QEvent>
#include <QWidget>

#include <utility>

namespace {
// Hears the window's LanguageChange on a part's behalf; it goes with the part.
class LanguageFollower final : public QObject {
public:
    LanguageFollower(QWidget& window, QObject* part, std::function<void()> follow)
        : QObject(part), follow_(std::move(follow)) {
        window.installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::LanguageChange)
            follow_();
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> follow_;
};
} // namespace

QAction* AddPartAction(QWidget& window, QObject* part, const std::function<QString()>& text,
                       const char* name, const QKeySequence& shortcut) {
    auto* action = new QAction(text(), part);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(shortcut);
    window.addAction(action);
    FollowLanguage(window, action, [action, text] { action->setText(text()); });
    return action;
}

void FollowLanguage(QWidget& window, QObject* part, std::function<void()> follow) {
    new LanguageFollower(window, part, std::move(follow));
}

void BringToFront(QWidget& partWindow) {
    partWindow.show();
    partWindow.raise();
    partWindow.activateWindow();
}
