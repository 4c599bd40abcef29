// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>
#include <QList>

class QComboBox;

// 更改波特率: the sensors to move, and the rate their models can take, chosen from a list.
class RateChangeDialog final : public QDialog {
    Q_OBJECT
public:
    // sensors: who is moved, as the operator reads it; rates: those every model has a code
    // for.
    RateChangeDialog(const QString& sensors, const QList<int>& rates, int currentBaud,
                     QWidget* parent = nullptr);
    int baud() const;

private:
    QComboBox* rate_;
};
