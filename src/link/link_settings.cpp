// SPDX-License-Identifier: MIT
#include "link_settings.h"

#include "leading_number.h"
#include "tool_limits.h"

#include <QObject>
#include <QStringList>
#include <cmath>

namespace {

const QString kDefaultBaud = QStringLiteral("9600");

// Lines without their ends; CR LF, LF and a lone CR all end a line.
QStringList splitLines(const QString& text) {
    QStringList lines;
    QString current;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            lines.append(current);
            current.clear();
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
                ++i;
        } else {
            current.append(c);
        }
    }
    if (!current.isEmpty())
        lines.append(current);
    return lines;
}

LinkSettings defaults(const QString& reason, const QString& line2 = kDefaultBaud) {
    return {QStringLiteral("1"), line2, 0, reason};
}

} // namespace

LinkSettings ReadLinkSettings(const std::optional<QByteArray>& content, const QString& readError) {
    if (!content)
        return defaults(
            LinkSettings::tr("无法读取 com.txt（%1），已使用默认设置 COM1、9600").arg(readError));

    QByteArray bytes = *content;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    // Latin-1 maps every byte to one character and back, so line 2 is written back
    // exactly as it was read.
    const QStringList lines = splitLines(QString::fromLatin1(bytes));
    if (lines.size() < 2)
        return defaults(LinkSettings::tr("com.txt 不足两行，已使用默认设置 COM1、9600"));

    const QString& line1 = lines[0];
    const QString& line2 = lines[1];
    const auto value = LeadingNumber(line1);
    const double index = value ? std::nearbyint(*value - 1) : HUGE_VAL;
    if (!(index >= -1 && index <= Limits::kPortCount - 1)) {
        return defaults(
            LinkSettings::tr("com.txt 中的串口号“%1”超出范围，已使用 COM1").arg(line1.left(20)),
            line2);
    }
    return {line1, line2, static_cast<int>(index), {}};
}

QByteArray FormatLinkSettings(int portNumber, const QString& baudText) {
    return QByteArray::number(portNumber) + "\r\n" + baudText.toLatin1() + "\r\n";
}
