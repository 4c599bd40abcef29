// SPDX-License-Identifier: MIT
#include "scan/scan_dialog.h"

#include "frame_sizes.h"
#include "hex_transcript.h"
#include "model_texts.h"
#include "readings.h"
#include "tool_limits.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
const QSize kStartSize(520, 420);
enum Column { kAddress, kBaud, kFormat, kTemperature, kHumidity, kReplyTime, kModel, kColumns };
} // namespace

ScanDialog::ScanDialog(SerialLine& serialLine, const LineSettings& line,
                       const QList<SensorModel>& models, QWidget* parent)
    : QDialog(parent), scan_(serialLine, this), line_(line), models_(models) {
    setObjectName(QStringLiteral("ScanDialog"));
    setWindowTitle(SharedText::ScanFeature());
    auto* form = new QFormLayout;
    form->addRow(tr("地址范围："), createRangeRow());
    form->addRow(tr("波特率："), createRateRow(line.baudRate));
    form->addRow(tr("格式："), createFormatRow(LineSetupOf(line).format));
    timeout_ = new QSpinBox;
    timeout_->setObjectName(QStringLiteral("timeout"));
    timeout_->setRange(SensorScan::kMinTimeoutMs, SensorScan::kMaxTimeoutMs);
    timeout_->setValue(ScanPlan{}.timeoutMs);
    timeout_->setSuffix(tr(" 毫秒"));
    form->addRow(tr("应答超时："), timeout_);

    progress_ = new QProgressBar;
    progress_->setObjectName(QStringLiteral("progress"));
    progress_->setAccessibleName(tr("扫描进度"));
    progress_->setValue(0);
    summary_ = new QLabel(tr("只发送读取请求，不会更改任何传感器。"));
    summary_->setObjectName(QStringLiteral("summary"));
    summary_->setWordWrap(true);
    createResultsTable();
    QDialogButtonBox* buttons = createButtons();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(progress_);
    layout->addWidget(summary_);
    layout->addWidget(results_, 1);
    layout->addWidget(buttons);
    resize(kStartSize);

    connect(results_, &QTableWidget::itemSelectionChanged, this, [this] {
        useButton_->setEnabled(!scan_.running() && !results_->selectedItems().isEmpty());
    });
    connect(&scan_, &SensorScan::found, this, &ScanDialog::addFinding);
    connect(&scan_, &SensorScan::progressed, this, &ScanDialog::showProgress);
    connect(&scan_, &SensorScan::finished, this, &ScanDialog::scanEnded);
}

QHBoxLayout* ScanDialog::createRangeRow() {
    auto* range = new QHBoxLayout;
    first_ = new QSpinBox;
    first_->setObjectName(QStringLiteral("firstAddress"));
    first_->setRange(Limits::kFirstAddress, Limits::kHighestAddress);
    first_->setValue(ScanPlan{}.firstAddress);
    last_ = new QSpinBox;
    last_->setObjectName(QStringLiteral("lastAddress"));
    last_->setRange(Limits::kFirstAddress, Limits::kHighestAddress);
    last_->setValue(ScanPlan{}.lastAddress);
    first_->setAccessibleName(tr("起始地址"));
    last_->setAccessibleName(tr("结束地址"));
    range->addWidget(first_);
    range->addWidget(new QLabel(tr("至")));
    range->addWidget(last_);
    range->addStretch();
    return range;
}

// The usual rates and the port's own, which is the one checked.
QHBoxLayout* ScanDialog::createRateRow(int currentRate) {
    auto* rateRow = new QHBoxLayout;
    QList<int> offered = Limits::kOfferedBaudRates;
    if (currentRate > 0 && !offered.contains(currentRate))
        offered << currentRate;
    for (const int rate : offered) {
        auto* box = new QCheckBox(QString::number(rate));
        box->setObjectName(QStringLiteral("rate%1").arg(rate));
        box->setProperty("rate", rate);
        box->setChecked(rate == currentRate);
        rates_ << box;
        rateRow->addWidget(box);
    }
    rateRow->addStretch();
    return rateRow;
}

// The formats sensors ship with; the port's own is the one checked.
QHBoxLayout* ScanDialog::createFormatRow(const LineFormat& current) {
    auto* formatRow = new QHBoxLayout;
    QList<LineFormat> offered = LineFormats::kOffered;
    if (!offered.contains(current))
        offered << current;
    for (const LineFormat& format : offered) {
        auto* box = new QCheckBox(format.text());
        box->setObjectName(QStringLiteral("format") + format.text());
        box->setProperty("format", format.text());
        box->setChecked(format == current);
        formats_ << box;
        formatRow->addWidget(box);
    }
    formatRow->addStretch();
    return formatRow;
}

void ScanDialog::createResultsTable() {
    results_ = new QTableWidget(0, kColumns);
    results_->setObjectName(QStringLiteral("results"));
    results_->setAccessibleName(tr("扫描结果"));
    results_->setHorizontalHeaderLabels({tr("地址"), tr("波特率"), tr("格式"), tr("温度"),
                                         tr("湿度"), tr("应答时间 (ms)"), tr("传感器型号")});
    results_->setSelectionBehavior(QAbstractItemView::SelectRows);
    results_->setSelectionMode(QAbstractItemView::SingleSelection);
    results_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    results_->verticalHeader()->hide();
    results_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    results_->horizontalHeader()->setStretchLastSection(true);
}

QDialogButtonBox* ScanDialog::createButtons() {
    auto* buttons = new QDialogButtonBox;
    startButton_ = buttons->addButton(tr("开始扫描"), QDialogButtonBox::ActionRole);
    startButton_->setObjectName(QStringLiteral("start"));
    cancelButton_ = buttons->addButton(tr("取消"), QDialogButtonBox::ActionRole);
    cancelButton_->setObjectName(QStringLiteral("cancel"));
    cancelButton_->setEnabled(false);
    useButton_ = buttons->addButton(tr("使用"), QDialogButtonBox::ActionRole);
    useButton_->setObjectName(QStringLiteral("use"));
    useButton_->setEnabled(false);
    watchButton_ = buttons->addButton(tr("全部监视"), QDialogButtonBox::ActionRole);
    watchButton_->setObjectName(QStringLiteral("watchAll"));
    watchButton_->setToolTip(
        tr("同时监视找到的全部传感器（右键“%1…”）").arg(SharedText::WatchFeature()));
    watchButton_->setEnabled(false);
    // A button of our own text: a standard one takes Qt's text back at a change of language.
    buttons->addButton(tr("关闭"), QDialogButtonBox::RejectRole);
    connect(startButton_, &QPushButton::clicked, this, &ScanDialog::startScan);
    connect(cancelButton_, &QPushButton::clicked, this, &ScanDialog::stopScan);
    connect(useButton_, &QPushButton::clicked, this, &ScanDialog::useSelected);
    connect(watchButton_, &QPushButton::clicked, this, &ScanDialog::watchAll);
    connect(buttons, &QDialogButtonBox::rejected, this, &ScanDialog::reject);
    return buttons;
}

void ScanDialog::startScan() {
    ScanPlan plan;
    plan.firstAddress = first_->value();
    plan.lastAddress = last_->value();
    plan.timeoutMs = timeout_->value();
    plan.line = line_;
    plan.models = models_;
    for (QCheckBox* box : rates_) {
        if (box->isChecked())
            plan.rates << box->property("rate").toInt();
    }
    for (QCheckBox* box : formats_) {
        if (box->isChecked())
            plan.formats << *LineFormat::Parse(box->property("format").toString());
    }
    if (plan.rates.isEmpty() || plan.formats.isEmpty() || plan.firstAddress > plan.lastAddress) {
        summary_->setText(plan.rates.isEmpty()     ? tr("请至少选择一个波特率。")
                          : plan.formats.isEmpty() ? tr("请至少选择一种格式。")
                                                   : tr("起始地址不能大于结束地址。"));
        return;
    }
    results_->setRowCount(0);
    findings_.clear();
    startButton_->setEnabled(false);
    useButton_->setEnabled(false);
    watchButton_->setEnabled(false);
    cancelButton_->setEnabled(true);
    if (!scan_.start(plan))
        scanEnded(false, tr("无法开始扫描。"));
}

void ScanDialog::stopScan() {
    scan_.cancel();
}

void ScanDialog::reject() {
    scan_.cancel();
    QDialog::reject();
}

void ScanDialog::showProgress(int done, int total, qint64 msLeft) {
    progress_->setMaximum(std::max(1, total));
    progress_->setValue(done);
    const int secondsLeft = static_cast<int>((msLeft + 999) / 1000);
    summary_->setText(tr("已询问 %1 / %2，剩余约 %3 秒，找到 %n 个", "", results_->rowCount())
                          .arg(done)
                          .arg(total)
                          .arg(secondsLeft));
}

void ScanDialog::addFinding(const ScanFinding& finding) {
    findings_ << finding;
    const int row = results_->rowCount();
    results_->insertRow(row);
    const auto put = [&](int column, const QString& text) {
        auto* item = new QTableWidgetItem(text);
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        results_->setItem(row, column, item);
    };
    put(kAddress, QString::number(finding.address));
    put(kBaud, QString::number(finding.baud));
    put(kFormat, finding.format.text());
    if (finding.readings) {
        // A model named other than the tool's own: its readouts, read its way.
        const auto caption = [](const std::optional<Readout>& readout) {
            return readout ? ModelTexts::readout(*readout) : QString();
        };
        put(kTemperature, caption(finding.readings->temperature));
        put(kHumidity, caption(finding.readings->humidity));
    } else if (finding.reply.kind == ScanReply::Kind::Exception) {
        put(kTemperature, tr("设备存在，异常码 %1").arg(HexByte(finding.reply.exceptionCode)));
        put(kHumidity, QString());
    } else if (finding.model.modelId.isEmpty() ||
               finding.model.modelId == QLatin1String(ModelId::kToolsOwn)) {
        // The ordinary read's reply says what the tool's own sensor measures, and only that.
        const auto readings = DecodeReadings(Transcript(finding.reply.frame), true);
        put(kTemperature, readings ? readings->temperature : QString());
        put(kHumidity, readings ? readings->humidity.value_or(QString()) : QString());
    }
    put(kReplyTime, QString::number(finding.replyMs));
    if (!models_.isEmpty()) {
        put(kModel, modelText(finding.model));
        results_->item(row, kModel)->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }
}

QString ScanDialog::modelName(const QString& id) const {
    for (const SensorModel& model : models_) {
        if (model.id == id)
            return ModelTexts::name(model);
    }
    return id;
}

QString ScanDialog::modelText(const Identification& model) const {
    if (model.verdict == Identification::Verdict::Known)
        return modelName(model.modelId);
    QStringList candidates;
    for (const QString& id : model.candidates)
        candidates << modelName(id);
    return candidates.isEmpty() ? tr("未知")
                                : tr("未知（可能是：%1）").arg(candidates.join(tr("、")));
}

QString ScanDialog::modelIdOf(int address) const {
    for (const ScanFinding& finding : findings_) {
        if (finding.address == address && finding.model.verdict == Identification::Verdict::Known)
            return finding.model.modelId;
    }
    return {};
}

void ScanDialog::scanEnded(bool completed, const QString& failure) {
    startButton_->setEnabled(true);
    cancelButton_->setEnabled(false);
    useButton_->setEnabled(!results_->selectedItems().isEmpty());
    watchButton_->setEnabled(!findings_.isEmpty());
    const QString found = tr("找到 %n 个传感器", "", results_->rowCount());
    QString summary;
    if (!failure.isEmpty())
        summary = tr("扫描中止：%1；%2").arg(failure, found);
    else if (completed)
        summary = tr("扫描完成，%1。选中一行后点“使用”。").arg(found);
    else
        summary = tr("扫描已取消，%1。").arg(found);
    summary_->setText(summary + gatewayNote());
    if (results_->rowCount() > 0 && results_->selectedItems().isEmpty())
        results_->selectRow(0);
}

// What a Modbus gateway said in place of sensors, on lines of their own; nothing otherwise.
QString ScanDialog::gatewayNote() const {
    const SensorScan::GatewayAnswers& answers = scan_.gatewayAnswers();
    QString note;
    if (answers.targetNoResponse > 0)
        note +=
            QLatin1Char('\n') + tr("网关报告 %n 个地址的设备没有回应（异常码 %1），按空地址计。",
                                   "", answers.targetNoResponse)
                                    .arg(HexByte(ExceptionCode::kGatewayTargetNoResponse));
    if (answers.pathUnavailable > 0)
        note +=
            QLatin1Char('\n') +
            tr("网关拒绝了 %n 个地址：网关路径不可用（异常码 %1），检查网关的串口和单元号设置。",
               "", answers.pathUnavailable)
                .arg(HexByte(ExceptionCode::kGatewayPathUnavailable));
    return note;
}

void ScanDialog::useSelected() {
    const auto selected = results_->selectionModel()->selectedRows();
    if (selected.isEmpty() || scan_.running())
        return;
    const ScanFinding& finding = findings_.at(selected.first().row());
    emit sensorChosen(finding.address, {finding.baud, finding.format}, modelIdOf(finding.address));
}

void ScanDialog::watchAll() {
    if (scan_.running())
        return;
    const LineSetup portLine = LineSetupOf(line_);
    const WatchChoice choice = ChooseWatchable(findings_, portLine);
    if (choice.addresses.isEmpty()) {
        summary_->setText(tr("找到的传感器波特率或格式各不相同，且没有一个在串口当前的 %1："
                             "不能同时监视。")
                              .arg(portLine.text()));
        return;
    }
    const QString note = choice.mixedLines ? tr("找到的传感器波特率或格式不同，不能同时监视；"
                                                "只监视串口当前 %1 的 %n 个。",
                                                "", static_cast<int>(choice.addresses.size()))
                                                 .arg(choice.line.text())
                                           : QString();
    QStringList modelIds;
    for (const int address : choice.addresses)
        modelIds << modelIdOf(address);
    emit watchChosen(choice.addresses, choice.line, note, modelIds);
}
