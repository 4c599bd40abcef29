// SPDX-License-Identifier: MIT
#include "system_fonts.h"

QStringList ChineseFallbackFamilies() {
    // SimSun is an optional feature on Windows outside China; Microsoft YaHei ships with every
    // Windows since Vista. The Noto faces cover Wine, which offers the host's fonts.
    return {QStringLiteral("Microsoft YaHei"), QStringLiteral("微软雅黑"), QStringLiteral("SimHei"),
            QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Noto Sans CJK SC")};
}
