// SPDX-License-Identifier: MIT
#include "rate_change/rate_change_part.h"

#include "menu/part_actions.h"
#include "message_sink.h"
#include "model_texts.h"
#include "rate_change/rate_change_dialog.h"
#include "sensor_exchange.h"
#include "serial_line.h"
#include "tool_limits.h"

#include <QAction>
#include <QMessageBox>
#include <QPushButton>
#include <algorithm>

namespace {
QString addressText(const QList<int>& addresses) {
    QStringList texts;
    for (const int address : addresses)
        texts << QString::number(address);
    return texts.join(QStringLiteral(", "));
}

// The rates every model has a code for, slowest first.
QList<int> CommonRates(const QList<RateChangePlan::Sensor>& sensors) {
    QList<int> rates;
    for (const auto& code : sensors.first().model.rate.codes) {
        if (std::all_of(sensors.begin(), sensors.end(),
                        [&](const auto& s) { return !RefuseRate(s.model, code.second); }))
            rates << code.second;
    }
    std::sort(rates.begin(), rates.end());
    rates.erase(std::unique(rates.begin(), rates.end()), rates.end());
    return rates;
}
} // namespace

RateChangePart::RateChangePart(QWidget& window, SerialLine& line, const SensorExchange& exchange,
                               MessageSink& messages, Window shown)
    : QObject(&window), window_(window), line_(line), exchange_(exchange), messages_(messages),
      shown_(std::move(shown)), change_(line) {
    setObjectName(QStringLiteral("rateChange"));
    action_ = AddPartAction(
        window, this, [] { return RateChangePart::tr("更改波特率…"); }, "rateChangeAction",
        QKeySequence(Qt::CTRL | Qt::Key_G));
    FollowLanguage(window, this, [this] { retranslate(); });
    connect(action_, &QAction::triggered, this, &RateChangePart::changePolled);
    connect(&change_, &RateChange::powerCycleNeeded, this, &RateChangePart::askForPowerCycle);
    connect(&change_, &RateChange::finished, this, &RateChangePart::report);
}

void RateChangePart::changePolled() {
    change({{shown_.polledAddress(), exchange_.model()}});
}

void RateChangePart::change(const QList<RateChangePlan::Sensor>& sensors) {
    if (sensors.isEmpty())
        return;
    for (const auto& sensor : sensors) {
        if (!sensor.model.rate.registerNumber) {
            messages_.show(tr("“%1”没有可写的波特率寄存器，无法在本工具中更改它的波特率。")
                               .arg(ModelTexts::name(sensor.model)));
            return;
        }
        if (sensor.model.rate.codes.isEmpty()) {
            messages_.show(tr("“%1”的型号资料没有波特率代码，无法在本工具中更改它的波特率。")
                               .arg(ModelTexts::name(sensor.model)));
            return;
        }
    }
    const QList<int> rates = CommonRates(sensors);
    if (rates.isEmpty()) {
        messages_.show(tr("所选传感器的型号没有共同的波特率代码。"));
        return;
    }
    if (!lineFree())
        return;
    QList<int> addresses;
    QStringList names;
    for (const auto& sensor : sensors) {
        addresses << sensor.address;
        if (!names.contains(ModelTexts::name(sensor.model)))
            names << ModelTexts::name(sensor.model);
    }
    delete dialog_.data();
    dialog_ = new RateChangeDialog(
        tr("地址 %1（%2）").arg(addressText(addresses), names.join(QStringLiteral("、"))), rates,
        shown_.baud(), &window_);
    dialog_->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog_, &QDialog::accepted, this,
            [this, sensors] { start(sensors, dialog_->baud()); });
    BringToFront(*dialog_);
}

bool RateChangePart::lineFree() {
    const QString reason = line_.notFreeReason();
    if (!reason.isEmpty())
        messages_.show(reason);
    return reason.isEmpty();
}

void RateChangePart::start(const QList<RateChangePlan::Sensor>& sensors, int baud) {
    // The line may have closed or been taken while the dialog was open.
    if (!lineFree())
        return;
    change_.start({sensors, baud, line_.lineSettings()});
}

void RateChangePart::askForPowerCycle(const QList<int>& addresses) {
    auto* ask = new QMessageBox(QMessageBox::Information, tr("更改波特率"),
                                tr("地址 %1 的传感器在断电重启后才使用新波特率 "
                                   "%2。请给传感器断电再上电，然后点“确认”以新波特率读取确认。")
                                    .arg(addressText(addresses))
                                    .arg(change_.plan().baud),
                                QMessageBox::NoButton, &window_);
    ask->setObjectName(QStringLiteral("ratePowerCycleQuestion"));
    ask->setAttribute(Qt::WA_DeleteOnClose);
    QPushButton* confirm = ask->addButton(tr("确认"), QMessageBox::AcceptRole);
    ask->addButton(tr("取消"), QMessageBox::RejectRole);
    connect(ask, &QMessageBox::buttonClicked, this, [this, confirm](QAbstractButton* b) {
        if (b == confirm)
            change_.powerCycled();
        else
            change_.cancel();
    });
    ask->open();
}

void RateChangePart::report(const RateChangeOutcome& outcome) {
    if (outcome.moved()) {
        emit rateChanged(outcome.baud);
        messages_.show(tr("波特率已改为 %1：地址 %2 已在新波特率读取确认。")
                           .arg(outcome.baud)
                           .arg(addressText(outcome.confirmed)));
        return;
    }
    QStringList lines;
    if (!outcome.lineFailure.isEmpty())
        lines << outcome.lineFailure;
    if (!outcome.refused.isEmpty())
        lines << tr("地址 %1 未接受新波特率的写入").arg(addressText(outcome.refused));
    if (!outcome.silent.isEmpty())
        lines << tr("地址 %1 在 %2 波特时没有回答")
                     .arg(addressText(outcome.silent))
                     .arg(outcome.baud);
    if (!outcome.confirmed.isEmpty())
        lines
            << tr("地址 %1 已在 %2 波特回答").arg(addressText(outcome.confirmed)).arg(outcome.baud);
    messages_.show(tr("波特率没有全部更改，串口回到 %1 波特。").arg(outcome.oldBaud),
                   lines.join(QLatin1Char('\n')));
}

void RateChangePart::retranslate() {
    RebuildForLanguage(dialog_, [] {});
}

RateChangeDialog* RateChangePart::dialog() const {
    return dialog_;
}
