// SPDX-License-Identifier: MIT
#pragma once

#include "sensor_corrections.h"

#include <QObject>
#include <QPointer>
#include <functional>

#include <QGroupBox>
class QLabel;
class QLineEdit;
class QPushButton;
class SensorExchange;
class SensorModelDialog;
class SerialLine;

// 校正 in the model dialog: where the poll's model names correction registers, the polled
// sensor's offsets are read from it and new ones written, each confirmed by reading it back
// (SensorCorrections); an offset outside the model's range is refused before anything is
// sent.
class CorrectionsPart final : public QObject {
    Q_OBJECT
public:
    CorrectionsPart(QObject& owner, SerialLine& line, const SensorExchange& exchange,
                    std::function<int()> polledAddress);

    // Puts the corrections' box into a new model dialog.
    void addTo(SensorModelDialog& dialog);
    // The poll follows another model: the box follows.
    void showModel();
    QGroupBox* box() const { return box_; }
    // The window closes: a read or write under way ends without a word.
    void stop() { corrections_.stop(); }

private:
    void read();
    void write();
    void showHeld(const Corrections& held, const QString& failure);

    SerialLine& line_;
    const SensorExchange& exchange_;
    std::function<int()> polledAddress_;
    SensorCorrections corrections_;
    QPointer<QGroupBox> box_;
    QLineEdit* temperature_ = nullptr;
    QLineEdit* humidity_ = nullptr;
    QLabel* range_ = nullptr;
    QLabel* status_ = nullptr;
    bool wrote_ = false; // the job running, or the last, wrote before it read back
    QPushButton* readButton_ = nullptr;
    QPushButton* writeButton_ = nullptr;
};
