// SPDX-License-Identifier: MIT
#include "system_fonts.h"

QStringList ChineseFallbackFamilies() {
    return {QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Source Han Serif SC"),
            QStringLiteral("AR PL UMing CN"), QStringLiteral("Noto Sans CJK SC"),
            QStringLiteral("WenQuanYi Zen Hei")};
}
