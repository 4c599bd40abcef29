// SPDX-License-Identifier: MIT
#pragma once

#include "sensor_scan.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTableWidget;

// Finds sensors whose address or baud rate is unknown, on the port the window has open.
class ScanDialog final : public QDialog {
    Q_OBJECT
public:
    // use is called with the address and rate of the row the operator picks.
    ScanDialog(SerialControl& port, const QString& lineSettings,
               std::function<void(int address, int baud)> use, QWidget* parent = nullptr);

    SensorScan& scan() { return scan_; }
    // Stops a running scan, as Cancel does; the port keeps its settings.
    void stopScan();

protected:
    void reject() override;

private:
    void startScan();
    void addFinding(const ScanFinding& finding);
    void showProgress(int done, int total, qint64 msLeft);
    void scanEnded(bool completed, const QString& failure);
    void useSelected();

    SensorScan scan_;
    QString lineSettings_;
    std::function<void(int, int)> use_;
    QSpinBox* first_;
    QSpinBox* last_;
    QList<QCheckBox*> rates_;
    QSpinBox* timeout_;
    QProgressBar* progress_;
    QLabel* summary_;
    QTableWidget* results_;
    QPushButton* startButton_;
    QPushButton* cancelButton_;
    QPushButton* useButton_;
};
