// SPDX-License-Identifier: MIT
#pragma once

#include "line_statistics.h"

#include <QDialog>
#include <map>

class QFormLayout;
class QLabel;

// 通讯统计: the line's counts and reply times, kept up to date while it is open.
class StatisticsWindow final : public QDialog {
    Q_OBJECT
public:
    enum class Row { Since, Requests, Accepted, Refused, GoodShare, ReplyTimes };

    StatisticsWindow(LineStatistics& statistics, QWidget* parent = nullptr);

    // The shown value of a row, and of the row counting one reason of refusal.
    QString value(Row row) const;
    QString value(ReplyFault reason) const;

private:
    void refresh();
    QLabel* addRow(QFormLayout& form, const QString& caption);
    static void showValue(QLabel* value, const QString& text);

    LineStatistics& statistics_;
    std::map<Row, QLabel*> rows_;
    std::map<ReplyFault, QLabel*> reasons_;
};
