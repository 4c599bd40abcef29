// SPDX-License-Identifier: MIT
#include "sensor_model/corrections_part.h"

#include "model_texts.h"
#include "sensor_exchange.h"
#include "sensor_model/sensor_model_dialog.h"
#include "serial_line.h"
#include "tool_limits.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>

namespace {
QString offsetText(const std::optional<double>& value) {
    return value ? QLocale::c().toString(*value, 'f', 1) : QString();
}

// An empty box leaves the register as it is; anything else must be a number.
bool readOffset(const QLineEdit* edit, std::optional<double>* value) {
    const QString text = edit->text().trimmed();
    if (text.isEmpty() || !edit->isEnabled())
        return true;
    bool ok = false;
    const double number = QLocale::c().toDouble(text, &ok);
    if (ok)
        *value = number;
    return ok;
}
} // namespace

CorrectionsPart::CorrectionsPart(QObject& owner, SerialLine& line, const SensorExchange& exchange,
                                 std::function<int()> polledAddress)
    : QObject(&owner), line_(line), exchange_(exchange), polledAddress_(std::move(polledAddress)),
      corrections_(line) {
    connect(&corrections_, &SensorCorrections::finished, this, &CorrectionsPart::showHeld);
}

void CorrectionsPart::addTo(SensorModelDialog& dialog) {
    box_ = new QGroupBox(tr("校正（当前地址的传感器）"));
    box_->setObjectName(QStringLiteral("correctionsBox"));
    temperature_ = new QLineEdit;
    temperature_->setObjectName(QStringLiteral("temperatureCorrection"));
    humidity_ = new QLineEdit;
    humidity_->setObjectName(QStringLiteral("humidityCorrection"));
    range_ = new QLabel;
    status_ = new QLabel;
    status_->setObjectName(QStringLiteral("correctionsStatus"));
    status_->setWordWrap(true);
    readButton_ = new QPushButton(tr("读取校正"));
    readButton_->setObjectName(QStringLiteral("readCorrections"));
    writeButton_ = new QPushButton(tr("写入校正"));
    writeButton_->setObjectName(QStringLiteral("writeCorrections"));
    connect(readButton_, &QPushButton::clicked, this, &CorrectionsPart::read);
    connect(writeButton_, &QPushButton::clicked, this, &CorrectionsPart::write);
    auto* form = new QFormLayout(box_);
    form->addRow(tr("温度校正："), temperature_);
    form->addRow(tr("湿度校正："), humidity_);
    form->addRow(QString(), range_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(readButton_);
    buttons->addWidget(writeButton_);
    buttons->addStretch();
    form->addRow(buttons);
    form->addRow(status_);
    dialog.addSection(box_);
    showModel();
}

void CorrectionsPart::showModel() {
    if (!box_)
        return;
    const SensorModel& model = exchange_.model();
    const bool any = model.temperatureCorrection || model.humidityCorrection;
    temperature_->setEnabled(model.temperatureCorrection.has_value());
    humidity_->setEnabled(model.humidityCorrection.has_value());
    temperature_->clear();
    humidity_->clear();
    readButton_->setEnabled(any);
    writeButton_->setEnabled(any);
    const auto [lowest, highest] = CorrectionRange(model, true);
    range_->setText(any ? tr("可写入 %1 到 %2").arg(lowest).arg(highest) : QString());
    status_->setText(any ? QString() : tr("“%1”没有校正寄存器").arg(ModelTexts::name(model)));
}

void CorrectionsPart::read() {
    if (const QString refusal = line_.notFreeReason(); !refusal.isEmpty()) {
        status_->setText(refusal);
        return;
    }
    if (corrections_.read(polledAddress_(), exchange_.model(), line_.lineSettings()) ==
        SensorCorrections::Problem::None) {
        wrote_ = false;
        status_->setText(tr("正在读取…"));
    }
}

void CorrectionsPart::write() {
    Corrections values;
    if (!readOffset(temperature_, &values.temperature) ||
        !readOffset(humidity_, &values.humidity)) {
        status_->setText(tr("校正值应为数字，例如 -1.5"));
        return;
    }
    if (const QString refusal = line_.notFreeReason(); !refusal.isEmpty()) {
        status_->setText(refusal);
        return;
    }
    const auto problem =
        corrections_.write(polledAddress_(), exchange_.model(), line_.lineSettings(), values);
    if (problem == SensorCorrections::Problem::OutOfRange) {
        const auto [lowest, highest] = CorrectionRange(exchange_.model(), true);
        status_->setText(tr("校正值超出范围 %1 到 %2，未写入").arg(lowest).arg(highest));
        return;
    }
    if (problem == SensorCorrections::Problem::None) {
        wrote_ = true;
        status_->setText(tr("正在写入…"));
    }
}

void CorrectionsPart::showHeld(const Corrections& held, const QString& failure) {
    if (!box_)
        return;
    if (held.temperature)
        temperature_->setText(offsetText(held.temperature));
    if (held.humidity)
        humidity_->setText(offsetText(held.humidity));
    if (!failure.isEmpty())
        status_->setText(failure);
    else
        status_->setText(wrote_ ? tr("传感器中的校正值已读回确认") : tr("已读取传感器中的校正值"));
}
