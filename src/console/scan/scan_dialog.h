// SPDX-License-Identifier: MIT
#pragma once

#include "sensor_scan.h"

#include <QDialog>

class QCheckBox;
class QDialogButtonBox;
class QHBoxLayout;
class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTableWidget;

// Finds sensors whose address or baud rate is unknown, on the port the window has open.
class ScanDialog final : public QDialog {
    Q_OBJECT
public:
    // models: those the scan tells apart at each address that answers; none asks only the
    // ordinary read.
    ScanDialog(SerialLine& serialLine, const LineSettings& line,
               const QList<SensorModel>& models = {}, QWidget* parent = nullptr);

    bool scanning() const { return scan_.running(); }
    // The sensors found so far, in the table's order.
    const QList<ScanFinding>& findings() const { return findings_; }
    // Stops a running scan, as Cancel does; the port keeps its settings.
    void stopScan();

signals:
    // The operator chose the sensor of a row (使用).
    // modelId: the model identification found; empty when it did not decide.
    void sensorChosen(int address, const LineSetup& line, const QString& modelId);
    // The operator asked to watch every sensor found (全部监视).
    // note says why some were left out.
    void watchChosen(const QList<int>& addresses, const LineSetup& line, const QString& note,
                     const QStringList& modelIds);

protected:
    void reject() override;

private:
    QHBoxLayout* createRangeRow();
    QHBoxLayout* createRateRow(int currentRate);
    QHBoxLayout* createFormatRow(const LineFormat& current);
    void createResultsTable();
    QDialogButtonBox* createButtons();
    void startScan();
    void addFinding(const ScanFinding& finding);
    void showProgress(int done, int total, qint64 msLeft);
    void scanEnded(bool completed, const QString& failure);
    QString gatewayNote() const;
    void useSelected();
    void watchAll();
    QString modelName(const QString& id) const;
    QString modelText(const Identification& model) const;
    QString modelIdOf(int address) const;

    SensorScan scan_;
    LineSettings line_;
    QSpinBox* first_;
    QSpinBox* last_;
    QList<QCheckBox*> rates_;
    QList<QCheckBox*> formats_;
    QSpinBox* timeout_;
    QProgressBar* progress_;
    QLabel* summary_;
    QTableWidget* results_;
    QPushButton* startButton_;
    QPushButton* cancelButton_;
    QPushButton* useButton_;
    QPushButton* watchButton_;
    QList<ScanFinding> findings_; // in the table's order
    QList<SensorModel> models_;
};
