// SPDX-License-Identifier: MIT
#pragma once

#include <QKeySequence>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>

class QAction;
class QObject;

// A part's entry: an action owned by the part, with its shortcut active in the window. Its
// text is asked of text now and after every change of language.
QAction* AddPartAction(QWidget& window, QObject* part, const std::function<QString()>& text,
                       const char* name, const QKeySequence& shortcut);

// Calls follow whenever the window's language changes, for as long as part lives. A part is
// no widget and gets no LanguageChange of its own; this way the window need not know which
// parts have texts.
void FollowLanguage(QWidget& window, QObject* part, std::function<void()> follow);

// Shows a part's window, in front and with the keyboard, whether new or already open.
void BringToFront(QWidget& partWindow);

// A part's window built in the old language goes; when it was showing, show() builds it
// anew in the new one.
template <typename Window, typename Show>
void RebuildForLanguage(QPointer<Window>& window, Show show) {
    if (!window)
        return;
    const bool shown = window->isVisible();
    delete window.data();
    if (shown)
        show();
}
