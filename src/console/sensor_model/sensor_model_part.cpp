// SPDX-License-Identifier: MIT
#include "sensor_model/sensor_model_part.h"

#include "menu/part_actions.h"
#include "model_texts.h"
#include "sensor_exchange.h"
#include "sensor_model/sensor_model_dialog.h"

#include <QAction>
#include <QMessageBox>
#include <QPushButton>

SensorModelPart::SensorModelPart(QWidget& window, SensorExchange& exchange,
                                 const QString& settingsFolder, Line line)
    : QObject(&window), window_(window), exchange_(exchange), folder_(settingsFolder),
      line_(std::move(line)), settings_(settingsFolder),
      catalogue_(SensorCatalogue::load(settingsFolder)) {
    setObjectName(QStringLiteral("sensorModel"));
    action_ = AddPartAction(
        window, this, [] { return SensorModelPart::tr("传感器型号…"); }, "sensorModelAction",
        QKeySequence(Qt::CTRL | Qt::Key_E));
    FollowLanguage(window, this, [this] { retranslate(); });
    connect(action_, &QAction::triggered, this, &SensorModelPart::showDialog);
    connect(&exchange_, &SensorExchange::powerCycleNeeded, this,
            &SensorModelPart::askForPowerCycle);
    // A kept model the catalogue no longer has leaves the tool's own in place.
    const QString kept = settings_.sensorModel();
    if (const SensorModel* model = catalogue_.find(kept))
        exchange_.setModel(*model);
}

void SensorModelPart::showDialog() {
    if (!dialog_) {
        dialog_ = new SensorModelDialog(catalogue_, exchange_.model().id, &window_);
        connect(dialog_, &SensorModelDialog::modelChosen, this, [this](const QString& id) {
            if (choose(id))
                offerLine(exchange_.model());
        });
        connect(dialog_, &SensorModelDialog::reloadRequested, this, &SensorModelPart::reload);
        emit dialogBuilt(*dialog_);
    }
    BringToFront(*dialog_);
}

bool SensorModelPart::choose(const QString& id) {
    const SensorModel* model = catalogue_.find(id);
    if (!model)
        return false;
    exchange_.setModel(*model);
    settings_.setSensorModel(model->id);
    settings_.sync();
    emit modelChanged();
    return true;
}

// The tool's own sensor says nothing: its status reads as it always has.
QString SensorModelPart::note() const {
    if (exchange_.model().isToolsOwn())
        return {};
    return tr("传感器型号：%1").arg(ModelTexts::name(exchange_.model()));
}

QString SensorModelPart::readoutTip(bool first) const {
    const SensorModel& model = exchange_.model();
    return ModelTexts::readoutName(model, first) + QLatin1Char('\n') + ModelTexts::summary(model);
}

void SensorModelPart::retranslate() {
    RebuildForLanguage(dialog_, [this] { showDialog(); });
}

void SensorModelPart::reload() {
    catalogue_ = SensorCatalogue::load(folder_);
    // The poll keeps its model unless the file changed it.
    if (const SensorModel* model = catalogue_.find(exchange_.model().id))
        exchange_.setModel(*model);
    if (dialog_)
        dialog_->showCatalogue(catalogue_, exchange_.model().id);
    emit modelChanged();
}

void SensorModelPart::offerLine(const SensorModel& model) {
    const LineSetup now = line_.current();
    if (now == model.line)
        return;
    auto* ask = new QMessageBox(
        QMessageBox::Question, tr("传感器型号"),
        tr("“%1”出厂为 %2，当前线路为 %3。按 %2 重新设置串口吗？")
            .arg(ModelTexts::name(model), ModelTexts::line(model.line), ModelTexts::line(now)),
        QMessageBox::NoButton, &window_);
    ask->setObjectName(QStringLiteral("modelLineQuestion"));
    ask->setAttribute(Qt::WA_DeleteOnClose);
    QPushButton* reopen = ask->addButton(tr("按型号线路"), QMessageBox::AcceptRole);
    ask->addButton(tr("保持当前线路"), QMessageBox::RejectRole);
    const LineSetup wanted = model.line;
    connect(ask, &QMessageBox::buttonClicked, this, [this, reopen, wanted](QAbstractButton* b) {
        if (b == reopen)
            line_.use(wanted);
    });
    ask->open();
}

// The sensor holds the new address only after it is switched off and on: the read that
// confirms it waits for the operator.
void SensorModelPart::askForPowerCycle(int newAddress) {
    auto* ask = new QMessageBox(
        QMessageBox::Information, tr("传感器型号"),
        tr("“%1”在断电重启后才使用新地址 %2。请给传感器断电再上电，然后点“确认”在新地址读取一次。")
            .arg(ModelTexts::name(exchange_.model()))
            .arg(newAddress),
        QMessageBox::NoButton, &window_);
    ask->setObjectName(QStringLiteral("powerCycleQuestion"));
    ask->setAttribute(Qt::WA_DeleteOnClose);
    QPushButton* confirm = ask->addButton(tr("确认"), QMessageBox::AcceptRole);
    ask->addButton(tr("取消"), QMessageBox::RejectRole);
    connect(ask, &QMessageBox::buttonClicked, this,
            [this, confirm, newAddress](QAbstractButton* b) {
                if (b == confirm)
                    exchange_.confirmAddress(newAddress);
            });
    ask->open();
}
