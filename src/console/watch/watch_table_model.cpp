// SPDX-License-Identifier: MIT
#include "watch/watch_table_model.h"

#include "model_texts.h"
#include "readings.h"
#include "reply_fault_text.h"
#include "tool_limits.h"

#include <QBrush>
#include <QColor>
#include <climits>

namespace {
const QColor kSilentBackground(255, 210, 210);
const QColor kSilentText(140, 0, 0);
} // namespace

WatchTableModel::WatchTableModel(const WatchTally& tally, QObject* parent)
    : QAbstractTableModel(parent), tally_(tally) {}

int WatchTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(tally_.sensors().size());
}

int WatchTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumns;
}

QVariant WatchTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case kAddress:
        return tr("地址");
    case kTemperature:
        return tr("温度");
    case kHumidity:
        return tr("湿度");
    case kVerdict:
        return tr("最近结果");
    case kLastGood:
        return tr("最近正常读数");
    case kGoodShare:
        return tr("正常率");
    case kReplyMs:
        return tr("回复时间中位数 (ms)");
    case kModel:
        return tr("传感器型号");
    }
    return {};
}

QString WatchTableModel::text(const SensorTally& sensor, int column) const {
    switch (column) {
    case kAddress:
        return QString::number(sensor.address);
    case kTemperature:
        return readoutText(sensor.temperature);
    case kHumidity:
        return readoutText(sensor.humidity);
    case kModel:
        return ModelTexts::name(sensor.model);
    case kVerdict:
        if (!sensor.lastVerdict)
            return {};
        // Said in words, not only in colour, so that a screen reader says it too.
        if (sensor.silent())
            return tr("无回复（已 %n 轮）", "", sensor.silentInARow);
        return ReplyFaultName(sensor.lastVerdict->fault);
    case kLastGood:
        return sensor.lastGood.isValid() ? sensor.lastGood.toString(QStringLiteral("HH:mm:ss"))
                                         : QString();
    case kGoodShare:
        return sensor.goodShare()
                   ? QString::number(*sensor.goodShare() * 100, 'f', 1) + QStringLiteral(" %")
                   : QString();
    case kReplyMs:
        return sensor.medianReplyMs() ? QString::number(*sensor.medianReplyMs()) : QString();
    }
    return {};
}

QStringList WatchTableModel::widestTexts(int column) const {
    SensorTally widest;
    widest.address = Limits::kLastAddress;
    widest.temperature = Readout{-400, 1, FormatTenths(-400) + Unit::kCelsius};
    widest.humidity = Readout{1000, 1, FormatTenths(1000) + Unit::kPercent};
    widest.lastGood = QDateTime(QDate(2000, 1, 1), QTime(23, 59, 59));
    widest.judged = widest.good = 1;
    widest.replyTimes.add(1000);
    QStringList texts;
    if (column == kVerdict) {
        for (const ReplyFault fault :
             {ReplyFault::None, ReplyFault::NoReply, ReplyFault::WrongLength,
              ReplyFault::WrongSender, ReplyFault::Exception, ReplyFault::CrcError})
            texts << ReplyFaultName(fault);
        widest.lastVerdict = ReplyVerdict{ReplyFault::NoReply, 0};
        widest.silentInARow = 99999; // some 19 hours without a reply
    }
    if (column == kModel) {
        for (const SensorTally& sensor : tally_.sensors())
            texts << ModelTexts::name(sensor.model);
    }
    texts << text(widest, column);
    return texts;
}

// In tenths, as the column always sorted; a finer model's values keep their order.
QVariant WatchTableModel::sortableReadout(const std::optional<Readout>& readout) {
    return readout && !readout->sensorError() ? QVariant(readout->value() * 10) : QVariant(INT_MIN);
}

QString WatchTableModel::readoutText(const std::optional<Readout>& readout) {
    if (!readout)
        return {};
    return ModelTexts::readout(*readout);
}

QVariant WatchTableModel::sortValue(const SensorTally& sensor, int column) const {
    switch (column) {
    case kAddress:
        return sensor.address;
    case kTemperature:
        return sortableReadout(sensor.temperature);
    case kHumidity:
        return sortableReadout(sensor.humidity);
    case kModel:
        return ModelTexts::name(sensor.model);
    case kVerdict:
        return sensor.lastVerdict
                   ? static_cast<int>(sensor.lastVerdict->fault) * 1000 + sensor.silentInARow
                   : -1;
    case kLastGood:
        return sensor.lastGood.isValid() ? sensor.lastGood.toMSecsSinceEpoch() : qint64(-1);
    case kGoodShare:
        return sensor.goodShare().value_or(-1.0);
    case kReplyMs:
        return sensor.medianReplyMs().value_or(-1);
    }
    return {};
}

QVariant WatchTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const SensorTally& sensor = tally_.sensors()[static_cast<std::size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        return text(sensor, index.column());
    case Qt::UserRole:
        return sortValue(sensor, index.column());
    case Qt::ToolTipRole:
        if (index.column() == kModel || index.column() == kTemperature ||
            index.column() == kHumidity)
            return sensor.model.id.isEmpty() ? QVariant() : ModelTexts::summary(sensor.model);
        if (index.column() == kVerdict && sensor.lastVerdict)
            return DescribeReplyFault(*sensor.lastVerdict, 0).isEmpty()
                       ? text(sensor, kVerdict)
                       : DescribeReplyFault(*sensor.lastVerdict, 0);
        return {};
    case Qt::BackgroundRole:
        return sensor.silent() ? QBrush(kSilentBackground) : QVariant();
    case Qt::ForegroundRole:
        return sensor.silent() ? QBrush(kSilentText) : QVariant();
    case Qt::TextAlignmentRole:
        return index.column() == kVerdict ? QVariant()
                                          : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    }
    return {};
}

void WatchTableModel::reset() {
    beginResetModel();
    endResetModel();
}

void WatchTableModel::rowChanged(int row) {
    if (row >= 0 && row < rowCount())
        emit dataChanged(index(row, 0), index(row, kColumns - 1));
}

QString TableAsText(const QAbstractItemModel& model) {
    QStringList lines;
    QStringList header;
    for (int column = 0; column < model.columnCount(); ++column)
        header << model.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
    lines << header.join(QLatin1Char('\t'));
    for (int row = 0; row < model.rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < model.columnCount(); ++column)
            cells << model.data(model.index(row, column), Qt::DisplayRole).toString();
        lines << cells.join(QLatin1Char('\t'));
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}
