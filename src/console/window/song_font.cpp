// SPDX-License-Identifier: MIT
#include "window/song_font.h"

#include "system_fonts.h"

QFont SongFont(qreal pointSize, bool bold) {
    QFont font;
    font.setFamilies(
        QStringList{QStringLiteral("宋体"), QStringLiteral("SimSun"), QStringLiteral("NSimSun")} +
        ChineseFallbackFamilies());
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    font.setStyleHint(QFont::Serif);
    return font;
}
