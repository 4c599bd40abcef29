// SPDX-License-Identifier: MIT
#include "language/language_part.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QMenu>
#include <QWidget>

Language StartLanguage(const QString& option, const QString& settingsFolder) {
    if (const auto given = ParseLanguage(option))
        return *given;
    return ParseLanguage(ToolSettings(settingsFolder).language()).value_or(Language::Chinese);
}

LanguagePart::LanguagePart(QWidget& window, const QString& settingsFolder)
    : QObject(&window), settings_(settingsFolder) {
    setObjectName(QStringLiteral("language"));
    // Written in both languages, so that either reader finds it.
    action_ = new QAction(QStringLiteral("语言 / Language"), this);
    action_->setObjectName(QStringLiteral("languageAction"));
    auto* menu = new QMenu(&window);
    menu->setObjectName(QStringLiteral("languageMenu"));
    auto* choices = new QActionGroup(this);
    chinese_ = menu->addAction(QStringLiteral("中文"));
    english_ = menu->addAction(QStringLiteral("English"));
    chinese_->setObjectName(QStringLiteral("chineseAction"));
    english_->setObjectName(QStringLiteral("englishAction"));
    for (QAction* choice : {chinese_, english_}) {
        choice->setCheckable(true);
        choices->addAction(choice);
    }
    action_->setMenu(menu);
    connect(chinese_, &QAction::triggered, this, [this] { choose(Language::Chinese); });
    connect(english_, &QAction::triggered, this, [this] { choose(Language::English); });

    auto* toggle = new QAction(this);
    toggle->setObjectName(QStringLiteral("toggleLanguageAction"));
    toggle->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    connect(toggle, &QAction::triggered, this, [this] {
        choose(CurrentLanguage() == Language::Chinese ? Language::English : Language::Chinese);
    });
    window.addAction(toggle);
    showChoice();
}

void LanguagePart::choose(Language language) {
    InstallLanguage(*QCoreApplication::instance(), language);
    settings_.setLanguage(LanguageCode(language));
    settings_.sync();
    showChoice();
}

void LanguagePart::showChoice() {
    chinese_->setChecked(CurrentLanguage() == Language::Chinese);
    english_->setChecked(CurrentLanguage() == Language::English);
}
