// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QStringList>
#include <functional>

class QWidget;
struct SensorModel;

// Whether the models known on the bus (ids; empty for a sensor whose model is unknown and
// may not be the tool's own) include any other than the tool's own sensor.
bool OtherModelsKnown(const QStringList& modelIds);

// The address write by broadcast reaches every sensor on the line. Where the bus watch or
// the last scan saw sensors of other models, the operator is asked first, since each of them
// that takes the write is rewritten too; on a bus known to hold only the tool's own sensors,
// or nothing known, the write goes at once, unasked, as it always has.
class BroadcastGuard final : public QObject {
    Q_OBJECT
public:
    BroadcastGuard(QWidget& window, std::function<QStringList()> modelsOnBus);

    // Runs write now, or once the operator agreed; a model that writes at the sensor's own
    // address is never asked about.
    void write(const SensorModel& model, std::function<void()> write);

private:
    QWidget& window_;
    std::function<QStringList()> modelsOnBus_;
};
