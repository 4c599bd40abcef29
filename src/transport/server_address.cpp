// SPDX-License-Identifier: MIT
#include "server_address.h"

#include <QRegularExpression>
#include <QStringList>

namespace {
// Each kind as the settings file names it.
struct KindName {
    ServerAddress::Kind kind;
    const char* name;
};
constexpr KindName kKindNames[] = {
    {ServerAddress::Kind::Rfc2217, "rfc2217"},
    {ServerAddress::Kind::RawTcp, "tcp"},
    {ServerAddress::Kind::ModbusTcp, "modbus-tcp"},
};
} // namespace

QString ServerAddress::text() const {
    const QString shownHost =
        host.contains(QLatin1Char(':')) ? QStringLiteral("[%1]").arg(host) : host;
    QString name;
    for (const KindName& known : kKindNames) {
        if (known.kind == kind)
            name = QLatin1String(known.name);
    }
    return QStringLiteral("%1 %2:%3").arg(name, shownHost).arg(port);
}

std::optional<ServerAddress> ServerAddress::Parse(const QString& text) {
    static const QRegularExpression form = [] {
        QStringList names;
        for (const KindName& known : kKindNames)
            names << QRegularExpression::escape(QLatin1String(known.name));
        return QRegularExpression(
            QStringLiteral("^\\s*(%1)\\s+(\\[[0-9A-Fa-f:.]+\\]|[A-Za-z0-9.\\-_]+):(\\d{1,5})\\s*$")
                .arg(names.join(QLatin1Char('|'))),
            QRegularExpression::CaseInsensitiveOption);
    }();
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const int port = match.captured(3).toInt();
    if (port < 1 || port > 65535)
        return std::nullopt;
    ServerAddress address;
    // Equality, not a case-blind compare: the Windows build's Qt took "tcp" for "modbus-tcp".
    const QString name = match.captured(1).toLower();
    for (const KindName& known : kKindNames) {
        if (name == QLatin1String(known.name))
            address.kind = known.kind;
    }
    address.host = match.captured(2);
    if (address.host.startsWith(QLatin1Char('[')))
        address.host = address.host.mid(1, address.host.size() - 2);
    address.port = static_cast<quint16>(port);
    return address;
}
