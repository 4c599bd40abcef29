// SPDX-License-Identifier: MIT
#include "server_address.h"

#include <QRegularExpression>

QString ServerAddress::text() const {
    const QString shownHost =
        host.contains(QLatin1Char(':')) ? QStringLiteral("[%1]").arg(host) : host;
    return QStringLiteral("%1 %2:%3")
        .arg(kind == Kind::Rfc2217 ? QStringLiteral("rfc2217") : QStringLiteral("tcp"), shownHost)
        .arg(port);
}

std::optional<ServerAddress> ServerAddress::Parse(const QString& text) {
    static const QRegularExpression form(
        QStringLiteral(
            "^\\s*(rfc2217|tcp)\\s+(\\[[0-9A-Fa-f:.]+\\]|[A-Za-z0-9.\\-_]+):(\\d{1,5})\\s*$"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const int port = match.captured(3).toInt();
    if (port < 1 || port > 65535)
        return std::nullopt;
    ServerAddress address;
    address.kind = match.captured(1).compare(QLatin1String("tcp"), Qt::CaseInsensitive) == 0
                       ? Kind::RawTcp
                       : Kind::Rfc2217;
    address.host = match.captured(2);
    if (address.host.startsWith(QLatin1Char('[')))
        address.host = address.host.mid(1, address.host.size() - 2);
    address.port = static_cast<quint16>(port);
    return address;
}
