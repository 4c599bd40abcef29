// SPDX-License-Identifier: MIT
#pragma once

#include "line_format.h"

#include <QDialog>

class QComboBox;
class QLabel;

// 线路设置: the rate, parity and stop bits of the line; data bits are always 8.
class LineSettingsDialog final : public QDialog {
    Q_OBJECT
public:
    // note: said under the lists, for example that a raw TCP server keeps its own format.
    LineSettingsDialog(int baud, const LineFormat& format, const QString& note,
                       QWidget* parent = nullptr);

    int baud() const;
    LineFormat format() const;

private:
    QComboBox* baud_;
    QComboBox* parity_;
    QComboBox* stopBits_;
};
