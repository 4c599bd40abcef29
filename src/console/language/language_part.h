// SPDX-License-Identifier: MIT
#pragma once

#include "language/qt_texts.h"
#include "tool_settings.h"

#include <QObject>

class QAction;
class QWidget;

// The language a run starts in: the option given for it (--language), else the one chosen
// last in the settings folder, else Chinese.
Language StartLanguage(const QString& option, const QString& settingsFolder);

// 语言 / Language: Chinese or English at once, without a restart, kept in the tool's
// settings file for the next start; Ctrl+L switches to the other one.
class LanguagePart final : public QObject {
    Q_OBJECT
public:
    LanguagePart(QWidget& window, const QString& settingsFolder);

    // The entry with its two choices, for the context menu.
    QAction* action() const { return action_; }
    void choose(Language language);

private:
    void showChoice();

    ToolSettings settings_;
    QAction* action_ = nullptr;
    QAction* chinese_ = nullptr;
    QAction* english_ = nullptr;
};
