// SPDX-License-Identifier: MIT
#include "address_list.h"

#include "tool_limits.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QStringList>
#include <set>

namespace {

// Keeps a huge typed number from overflowing on its way to the range check.
constexpr int kMaxDigits = 4;

std::optional<int> addressIn(const QString& item, QString* error) {
    bool ok = false;
    const int value = item.size() <= kMaxDigits ? item.toInt(&ok) : 0;
    if (!ok) {
        *error = AddressList::tr("“%1”不是地址").arg(item.left(12));
        return std::nullopt;
    }
    if (value < Limits::kFirstAddress || value > Limits::kLastAddress) {
        *error = AddressList::tr("地址 %1 超出范围（%2 至 %3）")
                     .arg(value)
                     .arg(Limits::kFirstAddress)
                     .arg(Limits::kLastAddress);
        return std::nullopt;
    }
    return value;
}

} // namespace

AddressList ParseAddressList(const QString& text) {
    static const QRegularExpression separators(QStringLiteral("[,，、;；\\s]+"));
    static const QRegularExpression dashes(QStringLiteral("\\s*[-~–—]\\s*"));
    QString normalised = text.trimmed();
    normalised.replace(dashes, QStringLiteral("-"));
    std::set<int> addresses;
    AddressList result;
    for (const QString& item : normalised.split(separators, Qt::SkipEmptyParts)) {
        const QStringList ends = item.split(QLatin1Char('-'));
        if (ends.size() > 2) {
            result.error = AddressList::tr("“%1”不是地址范围").arg(item.left(20));
            return result;
        }
        if (ends.size() == 2 && (ends.front().isEmpty() || ends.back().isEmpty())) {
            result.error = ends.back().isEmpty() ? AddressList::tr("范围“%1”没有终点").arg(item)
                                                 : AddressList::tr("范围“%1”没有起点").arg(item);
            return result;
        }
        const auto first = addressIn(ends.front(), &result.error);
        if (!first)
            return result;
        const auto last = ends.size() == 2 ? addressIn(ends.back(), &result.error) : first;
        if (!last)
            return result;
        if (*first > *last) {
            result.error = AddressList::tr("范围 %1 的起点大于终点").arg(item);
            return result;
        }
        for (int address = *first; address <= *last; ++address)
            addresses.insert(address);
    }
    if (addresses.empty()) {
        result.error = AddressList::tr("请输入至少一个地址，例如 1-5, 7");
        return result;
    }
    result.addresses = QList<int>(addresses.begin(), addresses.end());
    return result;
}

QString FormatAddressList(const QList<int>& addresses) {
    QStringList parts;
    for (qsizetype i = 0; i < addresses.size();) {
        qsizetype end = i;
        while (end + 1 < addresses.size() && addresses[end + 1] == addresses[end] + 1)
            ++end;
        parts << (end > i + 1 ? QStringLiteral("%1-%2").arg(addresses[i]).arg(addresses[end])
                              : QString::number(addresses[i]));
        if (end == i + 1)
            parts << QString::number(addresses[end]);
        i = end + 1;
    }
    return parts.join(QStringLiteral(", "));
}
