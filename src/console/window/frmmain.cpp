// SPDX-License-Identifier: MIT
#include "window/frmmain.h"

#include "address_text.h"
#include "handover/handover_part.h"
#include "handover_readouts.h"
#include "hex_transcript.h"
#include "language/language_part.h"
#include "line_settings/line_settings_part.h"
#include "menu/tool_menu.h"
#include "model_texts.h"
#include "network_ports/network_ports_part.h"
#include "port_status_text.h"
#include "rate_change/rate_change_part.h"
#include "record/recording_part.h"
#include "scan/scan_launcher.h"
#include "sensor_exchange.h"
#include "sensor_model/corrections_part.h"
#include "sensor_model/sensor_model_dialog.h"
#include "sensor_model/sensor_model_part.h"
#include "statistics/line_health.h"
#include "tool_limits.h"
#include "trend/trend_part.h"
#include "watch/bus_watch_part.h"
#include "window/broadcast_guard.h"
#include "window/lamp.h"
#include "window/link_label.h"
#include "window/port_list_tips.h"
#include "window/readout_age.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QPushButton>
#include <algorithm>
#include <iterator>

frmmain::frmmain(const Services& services, QWidget* parent)
    : QWidget(parent), services_(services), messages_(services.messages),
      settings_(services.settingsFolder) {
    line_ = new SerialLine(services_.port, messages_, services_.devices, this);
    exchange_ = new SensorExchange(
        *line_, messages_, {[this] { return Combo_Addr(2)->text(); }, services_.sleep}, this);
    setupControls(*this);
    linkLabel_ = new LinkLabel(*Label9, services_.web);
    connectHandlers();
    createExtensions();
    Form_Load();
    // The request box names the poll's request from the start, not from the first change.
    showModel();
    linkLabel_->start();
}

// The jobs that hold the line end before the line goes with the window's children.
frmmain::~frmmain() {
    busWatch_->stop();
    scanLauncher_->stopScan();
}

void frmmain::connectHandlers() {
    connect(Command1, &QPushButton::clicked, this, &frmmain::Command1_Click);
    connect(Combo1, &EditableComboBox::clicked, this, &frmmain::Combo1_Click);
    connect(Combo2, &EditableComboBox::clicked, this, &frmmain::Combo2_Click);
    connect(Command_OK3, &QPushButton::clicked, this, &frmmain::Command_OK3_Click);
    connect(Command_OK1, &QPushButton::clicked, this, &frmmain::Command_OK1_Click);
    connect(linkLabel_, &LinkLabel::tick, this, &frmmain::Timer3_Timer);
    connect(linkLabel_, &LinkLabel::clicked, this, &frmmain::Label9_Click);

    line_->listen(this, [this](const QByteArray& received) { MSComm1_OnComm(received); });
    connect(line_, &SerialLine::shownOpenChanged, this, &frmmain::showPortState);
    // The tooltip names the kind of line once one is really open.
    connect(line_, &SerialLine::opened, this, &frmmain::showStatusToolTip);
    connect(line_, &SerialLine::problem, this, &frmmain::showStatus);
    connect(line_, &SerialLine::lost, this, &frmmain::onPortLost);

    connect(exchange_, &SensorExchange::acquisitionChanged, this, &frmmain::showAcquisition);
    connect(exchange_, &SensorExchange::cleared, this, &frmmain::showCleared);
    connect(exchange_, &SensorExchange::requestMade, Text1(0), &QPlainTextEdit::setPlainText);
    connect(exchange_, &SensorExchange::cycleJudged, this, &frmmain::showCycle);
    connect(exchange_, &SensorExchange::lineFailed, this, &frmmain::showStatus);
}

// The parts beyond the window's own controls, reached from its context menu and shortcuts.
void frmmain::createExtensions() {
    portListTips_ = new PortListTips(*Combo1, services_.devices, settings_.folder());
    networkPorts_ = new NetworkPortsPart(*this, services_.mapping, settings_.folder(), *Combo1,
                                         {Combo2, Combo3, Combo4, Combo5}, *portListTips_);

    scanLauncher_ = new ScanLauncher(*this, *line_, *exchange_, messages_);
    connect(scanLauncher_, &ScanLauncher::sensorChosen, this, &frmmain::selectSensor);

    recording_ = new RecordingPart(*this, messages_, settings_.folder());
    connect(recording_, &RecordingPart::noteChanged, this, &frmmain::showStatusToolTip);
    connect(recording_, &RecordingPart::stoppedByFailure, this, &frmmain::setStatus);

    readoutAge_ = new ReadoutAge(*AI_SHOW(0), *AI_SHOW(1), this);
    readoutAge_->follow(*exchange_);

    trend_ = new TrendPart(*this, *line_);
    lineHealth_ = new LineHealth(*this, *line_);
    busWatch_ = new BusWatchPart(*this, *line_, *exchange_, messages_, settings_.folder());
    connect(scanLauncher_, &ScanLauncher::watchChosen, this, &frmmain::watchSensors);

    // Every source of readings reaches the record, the trend and the statistics alike.
    const auto followReadings = [this](const ReadingSource& source) {
        recording_->follow(source);
        trend_->follow(source);
        lineHealth_->follow(source);
    };
    followReadings(*exchange_);
    followReadings(busWatch_->source());

    lineSettings_ = new LineSettingsPart(
        *this, *line_, messages_, settings_.folder(),
        [this] {
            return LineSettingsPart::Shown{Combo2->text().toInt(), shownFormat()};
        },
        [this] { return networkPorts_->linkListNote(); });
    connect(lineSettings_, &LineSettingsPart::lineChosen, this, &frmmain::useLine);

    handover_ = new HandoverPart(
        *this, {[this](QString* note) {
                    return HandoverLineFor(
                        Combo1->listIndex() + 1, {Combo2->text().toInt(), shownFormat()},
                        networkPorts_->servers(), settings_.folder(), services_.devices, note);
                },
                [this] { return handedOverSensors(); }, [this] { return watchedSensors(); }});
    connect(busWatch_, &BusWatchPart::exportRequested, handover_, &HandoverPart::showWatched);
    sensorModel_ =
        new SensorModelPart(*this, *exchange_, settings_.folder(),
                            {[this] {
                                 return LineSetup{Combo2->text().toInt(), shownFormat()};
                             },
                             [this](const LineSetup& line) { useLine(line.baud, line.format); }});
    connect(sensorModel_, &SensorModelPart::modelChanged, this, &frmmain::showModel);
    corrections_ = new CorrectionsPart(*sensorModel_, *line_, *exchange_,
                                       [this] { return Combo_Addr(2)->text().toInt(); });
    connect(sensorModel_, &SensorModelPart::dialogBuilt, corrections_, &CorrectionsPart::addTo);
    connect(sensorModel_, &SensorModelPart::modelChanged, corrections_,
            &CorrectionsPart::showModel);
    scanLauncher_->setModels([this] { return sensorModel_->catalogue().models(); });
    busWatch_->setModelFinder(
        [this](const QString& id) { return sensorModel_->catalogue().find(id); });
    connect(exchange_, &SensorExchange::addressConfirmed, this, [this](int newAddress) {
        Combo_Addr(2)->setText(QString::number(newAddress));
        setStatus(tr("地址已更改为 %1，并已在新地址读取确认").arg(newAddress));
    });

    rateChange_ = new RateChangePart(*this, *line_, *exchange_, messages_,
                                     {[this] { return Combo_Addr(2)->text().toInt(); },
                                      [this] { return Combo2->text().toInt(); }});
    connect(busWatch_, &BusWatchPart::rateChangeAsked, rateChange_, &RateChangePart::change);
    connect(rateChange_, &RateChangePart::rateChanged, this,
            [this](int baud) { useLine(baud, shownFormat()); });
    broadcastGuard_ = new BroadcastGuard(*this, [this] {
        QStringList ids = scanLauncher_->foundModels();
        for (const SensorTally& sensor : busWatch_->tally().sensors())
            ids << sensor.model.id;
        return ids;
    });

    toolMenu_ = new ToolMenu(*this);
    toolMenu_->addGroup({scanLauncher_->action(), busWatch_->action(), lineHealth_->action(),
                         rateChange_->action()});
    language_ = new LanguagePart(*this, settings_.folder());
    toolMenu_->addGroup({sensorModel_->action(), lineSettings_->action(), networkPorts_->action(),
                         language_->action()});
    toolMenu_->addGroup(recording_->actions() << trend_->action() << handover_->action());
    for (QPlainTextEdit* box : {Text1(0), Text2, Message_Show})
        toolMenu_->attachTo(box);
    for (EditableComboBox* list :
         {Combo1, Combo2, Combo3, Combo4, Combo5, Combo_Addr(0), Combo_Addr(2)})
        toolMenu_->attachTo(list->lineEdit());

    showHints();
    showModel();
}

void frmmain::showModel() {
    // The tool's own sensor leaves the readouts' tooltips to the readings' age.
    const bool own = exchange_->model().isToolsOwn();
    readoutAge_->setModelTips(own ? QString() : sensorModel_->readoutTip(true),
                              own ? QString() : sensorModel_->readoutTip(false));
    const auto address = ParseAddressText(Combo_Addr(2)->text());
    const SensorModel& model = exchange_->model();
    Text1(0)->setToolTip(
        address ? tr("%1 的读取请求：%2")
                      .arg(ModelTexts::name(model),
                           Transcript(ModelReadRequest(model, static_cast<std::uint8_t>(*address))))
                : QString());
    showStatusToolTip();
}

void frmmain::showHints() {
    const QString hint =
        tr("地址或波特率不明时，可右键选择“%1…”（Ctrl+F）").arg(SharedText::ScanFeature());
    Combo_Addr(0)->setToolTip(hint);
    Combo_Addr(2)->setToolTip(hint);
    Command_OK1->setToolTip(
        exchange_->model().addressChange.way == AddressChange::Way::Broadcast
            ? tr("地址写入以广播（地址 0）发出：线上的每个传感器都会改用新地址。"
                 "请只接上要更改的那一个传感器")
            : tr("%1：%2").arg(ModelTexts::name(exchange_->model()),
                               ModelTexts::addressWay(exchange_->model())));
}

void frmmain::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange && toolMenu_)
        retranslate();
    QWidget::changeEvent(event);
}

void frmmain::retranslate() {
    retranslateControls(*this);
    showPortState(line_->shownOpen());
    showAcquisition(exchange_->acquiring());
    if (shownCycle_)
        showCycle(*shownCycle_);
    else if (status_.retold)
        showStatus(status_.retold());
    else
        showStatusToolTip();
    showHints();
    showModel();
}

void frmmain::Form_Load() {
    const LinkSettings settings = settings_.load();

    Combo1->setText(QStringLiteral("COM") + settings.line1);
    Combo2->setText(settings.line2);
    // 8N1 unless another format was chosen and kept.
    const LineFormat format = lineSettings_->keptFormat();
    Combo3->setText(Combo3->itemText(LineFormats::ParityIndex(format.parity)));
    Combo4->setText(QStringLiteral("8"));
    Combo5->setText(QString::number(format.stopBits));
    Combo1->setListIndex(settings.portListIndex);

    QStringList addresses;
    for (int address = Limits::kFirstAddress; address <= Limits::kLastAddress; ++address)
        addresses << QString::number(address);
    Combo_Addr(0)->addItems(addresses);
    Combo_Addr(2)->addItems(addresses);
    Combo_Addr(0)->setText(QStringLiteral("1"));
    Combo_Addr(2)->setText(QStringLiteral("1"));

    if (!settings.fallbackReason.isEmpty())
        setStatus(settings.fallbackReason);
}

void frmmain::Form_QueryUnload() {
    if (unloaded_)
        return;
    unloaded_ = true;
    exchange_->halt();
    scanLauncher_->stopScan(); // the watch ends with the port
    rateChange_->stop();
    corrections_->stop();
    linkLabel_->stop();
    recording_->stop();
    line_->closePort();

    QString error;
    if (!settings_.save(Combo1->listIndex() + 1, Combo2->text(), &error))
        messages_.show(tr("无法保存设置文件 com.txt：%1").arg(error));
}

void frmmain::closeEvent(QCloseEvent* event) {
    Form_QueryUnload();
    event->accept();
}

void frmmain::contextMenuEvent(QContextMenuEvent* event) {
    toolMenu_->popup(event->globalPos());
}

void frmmain::Command1_Click() {
    line_->toggleOpen(choice());
}

void frmmain::Combo1_Click() {
    line_->selectPort(choice().port);
}

void frmmain::Combo2_Click() {
    line_->closeForNewBaud();
}

void frmmain::Command_OK3_Click() {
    exchange_->toggleAcquisition();
}

void frmmain::Command_OK1_Click() {
    broadcastGuard_->write(exchange_->model(),
                           [this, text = Combo_Addr(0)->text()] { exchange_->writeAddress(text); });
}

void frmmain::Timer1_Timer() {
    exchange_->Timer1_Timer();
}

void frmmain::Timer2_Timer() {
    exchange_->Timer2_Timer();
}

void frmmain::MSComm1_OnComm(const QByteArray& received) {
    exchange_->receive(received);
}

void frmmain::Timer3_Timer() {
    linkLabel_->recolour();
}

namespace {
// The browser did not start: the box shows that on its first line, the address on the next
// (its one line is narrow), its tooltip the likely why.
StatusText BrowserFailure(const QString& address) {
    return {frmmain::tr("无法打开浏览器 %1").arg(address),
            frmmain::tr("系统没有能打开网址的程序，或它未能启动"),
            [address] { return BrowserFailure(address); }};
}
} // namespace

void frmmain::Label9_Click() {
    if (!linkLabel_->openAddress())
        showStatus(BrowserFailure(Label9->text()));
}

// com.txt keeps a new rate from the next close on, the settings file a new format at once.
void frmmain::selectSensor(int address, const LineSetup& line, const QString& modelId) {
    Combo_Addr(2)->setText(QString::number(address));
    if (!modelId.isEmpty())
        sensorModel_->choose(modelId);
    useLine(line.baud, line.format);
}

void frmmain::watchSensors(const QList<int>& addresses, const LineSetup& line, const QString& note,
                           const QStringList& modelIds) {
    useLine(line.baud, line.format);
    QList<SensorModel> models;
    for (const QString& id : modelIds) {
        const SensorModel* model = sensorModel_->catalogue().find(id);
        models << (model ? *model : exchange_->model());
    }
    busWatch_->watch(addresses, busWatch_->timeoutMs(), note, models);
}

void frmmain::useLine(int baud, const LineFormat& format) {
    lineSettings_->keep(format);
    const QString rate = QString::number(baud);
    const QString parity = Combo3->itemText(LineFormats::ParityIndex(format.parity));
    const QString stopBits = QString::number(format.stopBits);
    if (Combo2->text() == rate && Combo3->text() == parity && Combo5->text() == stopBits)
        return;
    Combo2->setText(rate);
    Combo3->setText(parity);
    Combo5->setText(stopBits);
    line_->reopen(choice());
}

// The parity list's choice is read by its item, whatever language its texts are in.
LineFormat frmmain::shownFormat() const {
    const int parity = Combo3->findText(Combo3->text(), Qt::MatchExactly);
    return {parity >= 0 ? LineFormats::kParityLetters[parity] : QLatin1Char('N'),
            Combo5->text().toInt()};
}

SerialLine::Choice frmmain::choice() const {
    const int parity = Combo3->findText(Combo3->text(), Qt::MatchExactly);
    return {static_cast<qint16>(Combo1->listIndex() + 1), Combo2->text(),
            parity >= 0 ? QString(LineFormats::kParityLetters[parity]) : QString(), Combo4->text(),
            Combo5->text()};
}

// Every sensor the bus watch watches or watched last, each with its model.
QList<HandoverSensor> frmmain::watchedSensors() const {
    QList<HandoverSensor> sensors;
    const WatchPlan& plan = busWatch_->plan();
    for (int index = 0; index < plan.addresses.size(); ++index) {
        const SensorModel& model =
            index < plan.models.size() ? plan.models[index] : exchange_->model();
        sensors << HandoverSensor{plan.addresses[index],
                                  DefaultSensorName(model, plan.addresses[index]), model};
    }
    return sensors;
}

// Every watched sensor while the bus watch runs; otherwise the polled one with the poll's
// model.
QList<HandoverSensor> frmmain::handedOverSensors() const {
    if (busWatch_->running())
        return watchedSensors();
    const int address = Combo_Addr(2)->text().toInt();
    return {HandoverSensor{address, DefaultSensorName(exchange_->model(), address),
                           exchange_->model()}};
}

void frmmain::onPortLost(const QString& reason, const QString& device) {
    scanLauncher_->stopScan();
    busWatch_->stop();
    exchange_->lineLost(reason, device);
}

void frmmain::showPortState(bool open) {
    Command1->setText(open ? PortCaption::Close() : PortCaption::Open());
    Shape1->setFillColor(open ? QColor(0, 255, 0) : QColor(0, 0, 0));
    if (!open)
        showStatusToolTip();
}

void frmmain::showAcquisition(bool running) {
    Command_OK3->setText(running ? Caption::Stop() : Caption::Start());
}

// Every send starts from empty boxes, also when it is then refused.
void frmmain::showCleared() {
    setStatus({});
    Text1(0)->clear();
    Text2->clear();
}

void frmmain::showCycle(const JudgedCycle& cycle) {
    if (!cycle.verdict.accepted()) {
        QStringList reason{RefusalReason(cycle)};
        const QString note = networkPorts_->refusalNote(line_->openPortNumber(), cycle);
        if (!note.isEmpty())
            reason << note;
        showStatus({Caption::Bad(), reason.join(QLatin1Char('\n')), {}});
    } else {
        Text2->setPlainText(cycle.reply);
        if (cycle.readings)
            ShowReadings(*cycle.readings);
        setStatus(Caption::Good());
    }
    // Kept so that a change of language can say it again.
    shownCycle_ = cycle;
}

void frmmain::ShowReadings(const ModelReadings& readings) {
    if (readings.temperature)
        AI_SHOW(0)->setText(ModelTexts::readout(*readings.temperature));
    if (readings.humidity)
        AI_SHOW(1)->setText(ModelTexts::readout(*readings.humidity));
}

// The box shows one line; its tooltip always holds the whole text and the system's words.
void frmmain::showStatus(const StatusText& status) {
    status_ = status;
    shownCycle_.reset();
    Message_Show->setPlainText(status.line);
    showStatusToolTip();
}

// The status, the system's words, the kind of line and the state of the record.
void frmmain::showStatusToolTip() {
    QStringList tip;
    const QString lineNote =
        line_->shownOpen() ? networkPorts_->lineNote(line_->openPortNumber()) : QString();
    for (const QString& part :
         {status_.line, status_.detail, lineNote, sensorModel_->note(), recording_->note()}) {
        if (!part.isEmpty())
            tip << part;
    }
    Message_Show->setToolTip(tip.join(QLatin1Char('\n')));
}
