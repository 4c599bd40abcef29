// SPDX-License-Identifier: MIT
#pragma once

#include "watch_tally.h"

#include <QAbstractTableModel>

// The bus watch's table: one row per watched address. Sorting reads Qt::UserRole, which
// holds each cell as a number (empty cells sort first), the model column its name.
class WatchTableModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        kAddress,
        kTemperature,
        kHumidity,
        kVerdict,
        kLastGood,
        kGoodShare,
        kReplyMs,
        kModel,
        kColumns
    };

    explicit WatchTableModel(const WatchTally& tally, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The texts a column's cells can show at their widest (the extremes of each value, every
    // verdict), so that a window can fit its columns before the values arrive.
    QStringList widestTexts(int column) const;

    // The tally started afresh, or one of its rows changed.
    void reset();
    void rowChanged(int row);

private:
    QString text(const SensorTally& sensor, int column) const;
    QVariant sortValue(const SensorTally& sensor, int column) const;
    static QString readoutText(const std::optional<Readout>& readout);
    static QVariant sortableReadout(const std::optional<Readout>& readout);

    const WatchTally& tally_;
};

// The rows of a view's model as tab-separated text with a header line, as shown (sorted).
QString TableAsText(const QAbstractItemModel& model);
