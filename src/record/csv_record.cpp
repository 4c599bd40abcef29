#include "csv_record.h"

#include <QStringList>
#include <QTimeZone>

namespace {
QString tenths(const std::optional<int>& value) {
    if (!value)
        return {};
    const int magnitude = *value < 0 ? -*value : *value;
    return QStringLiteral("%1%2.%3")
        .arg(*value < 0 ? QStringLiteral("-") : QString())
        .arg(magnitude / 10)
        .arg(magnitude % 10);
}
} // namespace

namespace Csv {

QByteArray Preamble() {
    return QByteArray("\xEF\xBB\xBF") +
           "time,address,verdict,temperature_c,humidity_percent,request,reply\r\n";
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
    // A fixed offset makes Qt write it out, also +00:00 where a zone would give "Z".
    return local.toOffsetFromUtc(local.offsetFromUtc()).toString(Qt::ISODateWithMs);
}

QByteArray Row(const CycleRecord& record) {
    const QStringList fields{
        Timestamp(record.time),
        record.address >= 0 ? QString::number(record.address) : QString(),
        record.ok ? QStringLiteral("ok") : QStringLiteral("error"),
        record.ok ? tenths(record.temperatureTenths) : QString(),
        record.ok ? tenths(record.humidityTenths) : QString(),
        record.request.trimmed(),
        record.reply.trimmed(),
    };
    QStringList quoted;
    for (const QString& field : fields)
        quoted << Field(field);
    return quoted.join(QLatin1Char(',')).toUtf8() + "\r\n";
}

} // namespace Csv
