// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <optional>

class QCoreApplication;

// The tool's languages. Chinese is the source of every text, so a missing or damaged
// translation can only ever leave the tool Chinese.
enum class Language { Chinese, English };

// "zh" or "en", as the settings file and the command line spell them.
QString LanguageCode(Language language);
std::optional<Language> ParseLanguage(const QString& code);

// Puts every text in language: the tool's own (from its resources) and Qt's (message box
// buttons, file dialog, text box menus: Chinese from Qt's translations folder, beside the
// DLLs on Windows; English is Qt's own), whatever the system's language. Replaces what an
// earlier call installed; Qt tells every widget (QEvent::LanguageChange). False when a
// translation is missing; the texts then stay as their source has them.
bool InstallLanguage(QCoreApplication& app, Language language);

// The language InstallLanguage last put in; Chinese before any call.
Language CurrentLanguage();

// Puts Qt's own texts into Simplified Chinese, as the tool's own texts are.
bool InstallQtChineseTexts(QCoreApplication& app);
