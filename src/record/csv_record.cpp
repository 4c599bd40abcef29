// SPDX-License-Identifier: MIT
#include "csv_record.h"

#include "readings.h"

#include <QStringList>

namespace {
// A point whatever the operator's locale, so files from any machine read the same.
QString tenths(const std::optional<int>& value) {
    return value ? FormatTenths(*value, QLocale::c()) : QString();
}

QString scaledOrTenths(const std::optional<qint64>& scaled, int decimals,
                       const std::optional<int>& value) {
    return scaled ? FormatFixed(*scaled, decimals, QLocale::c()) : tenths(value);
}
} // namespace

namespace Csv {

QByteArray Preamble() {
    return QByteArray("\xEF\xBB\xBF") + "time,address,verdict,temperature_c,humidity_percent,"
                                        "request,reply,reason,model,port\r\n";
}

Columns ColumnsOf(const QByteArray& header) {
    const QByteArray firstLine = header.left(header.indexOf('\n'));
    if (firstLine.contains(",reason,model,port"))
        return Columns::WithModel;
    return firstLine.contains(",reply,reason") ? Columns::WithReason : Columns::WithoutReason;
}

QString Field(const QString& text) {
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) &&
        !text.contains(QLatin1Char('\r')) && !text.contains(QLatin1Char('\n')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString Timestamp(const QDateTime& time) {
    const QDateTime local = time.toLocalTime();
    // Written out by hand: Qt's ISO form says "Z" for an offset of zero.
    const int offset = local.offsetFromUtc();
    const int minutes = (offset < 0 ? -offset : offset) / 60;
    return local.toString(QStringLiteral("yyyy-MM-dd'T'HH:mm:ss.zzz")) +
           QStringLiteral("%1%2:%3")
               .arg(offset < 0 ? QLatin1Char('-') : QLatin1Char('+'))
               .arg(minutes / 60, 2, 10, QLatin1Char('0'))
               .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

QByteArray Row(const CycleRecord& record, Columns columns) {
    QStringList fields{
        Timestamp(record.time),
        record.address >= 0 ? QString::number(record.address) : QString(),
        record.ok ? QStringLiteral("ok") : QStringLiteral("error"),
        record.ok ? scaledOrTenths(record.temperatureScaled, record.temperatureDecimals,
                                   record.temperatureTenths)
                  : QString(),
        record.ok
            ? scaledOrTenths(record.humidityScaled, record.humidityDecimals, record.humidityTenths)
            : QString(),
        record.request.trimmed(),
        record.reply.trimmed(),
    };
    if (columns != Columns::WithoutReason)
        fields << (record.ok ? QString() : record.reason);
    if (columns == Columns::WithModel)
        fields << record.model << (record.port > 0 ? QString::number(record.port) : QString());
    QStringList quoted;
    for (const QString& field : fields)
        quoted << Field(field);
    return quoted.join(QLatin1Char(',')).toUtf8() + "\r\n";
}

} // namespace Csv
