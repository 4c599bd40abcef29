// SPDX-License-Identifier: MIT
#pragma once

#include "line_statistics.h"

#include <QDialog>
#include <map>

class QLabel;

// 通讯统计: the line's counts and reply times, kept up to date while it is open.
class StatisticsWindow final : public QDialog {
    Q_OBJECT
public:
    StatisticsWindow(LineStatistics& statistics, QWidget* parent = nullptr);

    // The shown value of a row, by its caption ("已发送请求", "CRC 错误", ...).
    QString value(const QString& caption) const;

private:
    void refresh();
    QLabel* addRow(class QFormLayout& form, const QString& caption);

    LineStatistics& statistics_;
    std::map<QString, QLabel*> values_;
};
