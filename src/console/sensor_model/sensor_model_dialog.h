// SPDX-License-Identifier: MIT
#pragma once

#include "sensor_catalogue.h"

#include <QDialog>

class QLabel;
class QTableWidget;

// 传感器型号…: the models with their read map, default line and way of taking a new
// address; the operator picks the one the poll uses.
class SensorModelDialog final : public QDialog {
    Q_OBJECT
public:
    enum Column { kName, kRead, kLine, kAddress, kColumns };

    SensorModelDialog(const SensorCatalogue& catalogue, const QString& chosenId,
                      QWidget* parent = nullptr);

    // The catalogue read again (the users' file changed): the list follows.
    void showCatalogue(const SensorCatalogue& catalogue, const QString& chosenId);
    QTableWidget* table() const { return table_; }
    // A section of another part, above the buttons.
    void addSection(QWidget* section);

signals:
    void modelChosen(const QString& id);
    void reloadRequested();

private:
    void chooseSelected();

    QTableWidget* table_;
    QLabel* problems_;
    QStringList ids_; // in the table's order
};
