// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <optional>

// One judged acquisition cycle as the record keeps it.
struct CycleRecord {
    QDateTime time;
    int address = -1; // of the request sent; -1 when none went out
    bool ok = false;
    std::optional<int> temperatureTenths;
    std::optional<int> humidityTenths;
    QString request; // hex transcripts as the window shows them
    QString reply;
    QString reason; // why the reply was refused, as a token; empty when accepted
    QString model{}; // the sensor model's id
    int port = 0;   // the port's number; 0 when unknown
    // A model's readouts, in units of 10^-decimals; they take the place of the tenths.
    std::optional<qint64> temperatureScaled{};
    std::optional<qint64> humidityScaled{};
    int temperatureDecimals = 1;
    int humidityDecimals = 1;
};

// The record is CSV as RFC 4180 has it, with CRLF line ends, in UTF-8 with a byte-order
// mark so that spreadsheet programs on Chinese Windows read it as UTF-8.
namespace Csv {
// The byte-order mark and the header row, for a new or emptied file.
QByteArray Preamble();
// Files keep the columns they were begun with when appended to: seven before the reason
// column existed, eight before the model and the port were added after it.
enum class Columns { WithModel, WithReason, WithoutReason };
// The columns of a file that starts with header (its first bytes; the mark may precede it).
Columns ColumnsOf(const QByteArray& header);
QByteArray Row(const CycleRecord& record, Columns columns = Columns::WithModel);
// A field, quoted when it holds a comma, a quote or a line break.
QString Field(const QString& text);
// Local time with milliseconds and the UTC offset: 2026-12-07T16:05:50.123+08:00.
QString Timestamp(const QDateTime& time);
} // namespace Csv
