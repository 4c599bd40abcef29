// SPDX-License-Identifier: MIT
#include "language/qt_texts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

namespace {
// What the last call installed, to take out on the next.
QPointer<QTranslator> toolTranslator;
QPointer<QTranslator> qtTranslator;
Language current = Language::Chinese;

void removeInstalled() {
    for (QPointer<QTranslator>* installed : {&toolTranslator, &qtTranslator}) {
        if (*installed) {
            QCoreApplication::removeTranslator(*installed);
            delete installed->data();
        }
    }
}
} // namespace

QString LanguageCode(Language language) {
    return language == Language::English ? QStringLiteral("en") : QStringLiteral("zh");
}

std::optional<Language> ParseLanguage(const QString& code) {
    const QString lower = code.trimmed().toLower();
    if (lower == QLatin1String("en") || lower.startsWith(QLatin1String("en_")))
        return Language::English;
    if (lower == QLatin1String("zh") || lower.startsWith(QLatin1String("zh_")))
        return Language::Chinese;
    return std::nullopt;
}

bool InstallQtChineseTexts(QCoreApplication& app) {
    auto* translator = new QTranslator(&app);
    if (!translator->load(QStringLiteral("qtbase_zh_CN"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    qtTranslator = translator;
    return QCoreApplication::installTranslator(translator);
}

Language CurrentLanguage() {
    return current;
}

bool InstallLanguage(QCoreApplication& app, Language language) {
    removeInstalled();
    // Without its translation the tool keeps the Chinese it is written in.
    current = Language::Chinese;
    if (language == Language::Chinese)
        return InstallQtChineseTexts(app);
    auto* translator = new QTranslator(&app);
    if (!translator->load(QStringLiteral(":/i18n/modbus-sensor-tool_en.qm"))) {
        delete translator;
        return false;
    }
    toolTranslator = translator;
    current = Language::English;
    return QCoreApplication::installTranslator(translator);
}
