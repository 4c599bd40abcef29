// SPDX-License-Identifier: MIT
#include "config_text.h"

QString Quoted(const QString& text) {
    QString out = QStringLiteral("\"");
    for (const QChar c : text) {
        if (c == QLatin1Char('"') || c == QLatin1Char('\\')) {
            out += QLatin1Char('\\');
            out += c;
        } else if (c.unicode() < 0x20 || c.unicode() == 0x7f) {
            out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        } else {
            out += c;
        }
    }
    return out + QLatin1Char('"');
}

QString ShellWord(const QString& text) {
    static const QString safe = QStringLiteral("/._-:+,=@");
    bool plain = !text.isEmpty();
    for (const QChar c : text)
        plain = plain && c.unicode() < 0x80 && (c.isLetterOrNumber() || safe.contains(c));
    if (plain)
        return text;
    QString inner = text;
    inner.replace(QLatin1String("'"), QLatin1String("'\\''"));
    return QLatin1Char('\'') + inner + QLatin1Char('\'');
}

QString Identifier(const QString& text) {
    QString id;
    for (const QChar c : text.toLower())
        id += (c.unicode() < 0x80 && c.isLetterOrNumber()) ? c : QLatin1Char('_');
    if (id.isEmpty() || id.front().isDigit())
        id.prepend(QLatin1Char('s'));
    return id;
}

QString ParityWord(QChar parity) {
    if (parity == QLatin1Char('E'))
        return QStringLiteral("even");
    if (parity == QLatin1Char('O'))
        return QStringLiteral("odd");
    return QStringLiteral("none");
}
