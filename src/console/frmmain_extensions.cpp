// SPDX-License-Identifier: MIT
// Functions beyond the window's own controls, reached from its context menu and shortcuts.
#include "frmmain.h"

#include "line_health.h"
#include "reply_fault_text.h"
#include "scan_dialog.h"
#include "tool_menu.h"
#include "trend_window.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

void frmmain::createExtensions() {
    scanAction_ = new QAction(tr("扫描传感器…"), this);
    scanAction_->setObjectName(QStringLiteral("scanAction"));
    scanAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    connect(scanAction_, &QAction::triggered, this, &frmmain::openScan);
    addAction(scanAction_);

    recordAction_ = new QAction(tr("开始记录…"), this);
    recordAction_->setObjectName(QStringLiteral("recordAction"));
    recordAction_->setCheckable(true);
    recordAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    // Checked only by the recorder's state, not by the click itself.
    connect(recordAction_, &QAction::triggered, this, [this] {
        showRecordingState();
        chooseRecordFile();
    });
    addAction(recordAction_);
    stopRecordAction_ = new QAction(tr("停止记录"), this);
    stopRecordAction_->setObjectName(QStringLiteral("stopRecordAction"));
    stopRecordAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R));
    connect(stopRecordAction_, &QAction::triggered, this, &frmmain::stopRecording);
    addAction(stopRecordAction_);
    connect(&recorder_, &Recorder::rowWritten, this, &frmmain::showRecordingState);
    connect(&recorder_, &Recorder::failed, this, &frmmain::recordingStopped);

    trendAction_ = new QAction(tr("趋势图"), this);
    trendAction_->setObjectName(QStringLiteral("trendAction"));
    trendAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    connect(trendAction_, &QAction::triggered, this, &frmmain::showTrend);
    addAction(trendAction_);
    showRecordingState();

    lineHealth_ = new LineHealth(*this);
    toolMenu_ = new ToolMenu(*this);
    toolMenu_->addGroup({scanAction_, lineHealth_->action()});
    toolMenu_->addGroup({recordAction_, stopRecordAction_, trendAction_});
    for (QPlainTextEdit* box : {Text1(0), Text2, Message_Show})
        toolMenu_->attachTo(box);
    for (EditableComboBox* list :
         {Combo1, Combo2, Combo3, Combo4, Combo5, Combo_Addr(0), Combo_Addr(2)})
        toolMenu_->attachTo(list->lineEdit());

    const QString hint = tr("地址或波特率不明时，可右键选择“扫描传感器…”（Ctrl+F）");
    Combo_Addr(0)->setToolTip(hint);
    Combo_Addr(2)->setToolTip(hint);
    Command_OK1->setToolTip(tr("地址写入以广播（地址 0）发出：线上的每个传感器都会改用新地址。"
                               "请只接上要更改的那一个传感器"));
}

void frmmain::contextMenuEvent(QContextMenuEvent* event) {
    toolMenu_->popup(event->globalPos());
}

void frmmain::openScan() {
    if (!portControl_->shownOpen()) {
        messages_.show(QStringLiteral("请先打开串口！"));
        return;
    }
    if (Command_OK3->text() == Caption::kStop) {
        messages_.show(tr("请先停止采集！"));
        return;
    }
    // A new dialog each time: it must restore the line settings the port has now.
    delete scanDialog_;
    scanDialog_ = new ScanDialog(
        services_.port, portControl_->portSettings(),
        [this](int address, int baud) { useScanFinding(address, baud); }, this);
    scanDialog_->setWindowModality(Qt::WindowModal);
    scanDialog_->show();
    scanDialog_->raise();
}

bool frmmain::scanRunning() const {
    return scanDialog_ && scanDialog_->scan().running();
}

// The found sensor becomes the polled one; a different rate reopens the port at it, and
// com.txt keeps it from the next close on.
void frmmain::useScanFinding(int address, int baud) {
    Combo_Addr(2)->setText(QString::number(address));
    const QString rate = QString::number(baud);
    if (Combo2->text() != rate) {
        Combo2->setText(rate);
        if (portControl_->shownOpen()) {
            portControl_->closePort();
            portControl_->toggleOpen();
        }
    }
    if (scanDialog_)
        scanDialog_->accept();
}

// Recording and the trend.

void frmmain::keepCycle(const ReplyVerdict& verdict, const std::optional<Readings>& readings) {
    const QDateTime now = QDateTime::currentDateTime();
    if (readings) {
        series_.add(now.toMSecsSinceEpoch(), readings->temperatureTenths / 10.0,
                    readings->humidityTenths
                        ? std::optional<double>(*readings->humidityTenths / 10.0)
                        : std::nullopt);
        if (trendWindow_)
            trendWindow_->refresh();
    }
    if (!recorder_.recording())
        return;
    CycleRecord cycle;
    cycle.time = now;
    cycle.address = SendHex.size() >= 2 ? SendHex.left(2).toInt(nullptr, 16) : -1;
    cycle.ok = verdict.accepted();
    cycle.reason = ReplyFaultToken(verdict);
    if (readings) {
        cycle.temperatureTenths = readings->temperatureTenths;
        cycle.humidityTenths = readings->humidityTenths;
    }
    cycle.request = SendHex;
    cycle.reply = ReceiveHex;
    recorder_.record(cycle);
}

bool frmmain::startRecording(const QString& path, RecordFile::Mode mode, QString* error) {
    if (!recorder_.start(path, mode, error))
        return false;
    recordNote_.clear();
    showRecordingState();
    return true;
}

void frmmain::stopRecording() {
    if (!recorder_.recording())
        return;
    recorder_.stop();
    recordNote_ = tr("记录已结束：%1（%2 行）").arg(recorder_.path()).arg(recorder_.rows());
    showRecordingState();
}

void frmmain::recordingStopped(const QString& reason) {
    recordNote_ = tr("记录已停止：无法写入 %1（%2）").arg(recorder_.path(), reason);
    showRecordingState();
    // Acquisition goes on; the operator must learn that the record does not.
    setStatus(recordNote_);
    messages_.show(recordNote_);
}

// The check mark in the menu and the status box's tooltip say whether a recording runs.
void frmmain::showRecordingState() {
    const bool on = recorder_.recording();
    if (recordAction_) {
        recordAction_->setChecked(on);
        recordAction_->setEnabled(!on);
        stopRecordAction_->setEnabled(on);
    }
    QStringList tip;
    if (!status_.line.isEmpty())
        tip << status_.line;
    if (!status_.detail.isEmpty())
        tip << status_.detail;
    if (on)
        tip << tr("正在记录：%1（%2 行）").arg(recorder_.path()).arg(recorder_.rows());
    else if (!recordNote_.isEmpty())
        tip << recordNote_;
    Message_Show->setToolTip(tip.join(QLatin1Char('\n')));
}

void frmmain::chooseRecordFile() {
    const QString suggested =
        QDir(settingsFolder())
            .filePath(
                QStringLiteral("温湿度记录-%1.csv")
                    .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"))));
    const QString path =
        QFileDialog::getSaveFileName(this, tr("开始记录"), suggested, tr("CSV 文件 (*.csv)"),
                                     nullptr, QFileDialog::DontConfirmOverwrite);
    if (path.isEmpty())
        return;
    RecordFile::Mode mode = RecordFile::Mode::Append;
    if (QFileInfo(path).size() > 0) {
        QMessageBox ask(QMessageBox::Question, tr("开始记录"),
                        tr("%1 已存在。新的记录接在原有内容之后，还是覆盖它？").arg(path),
                        QMessageBox::NoButton, this);
        QPushButton* append = ask.addButton(tr("追加"), QMessageBox::AcceptRole);
        QPushButton* replace = ask.addButton(tr("覆盖"), QMessageBox::DestructiveRole);
        ask.addButton(tr("取消"), QMessageBox::RejectRole);
        ask.setDefaultButton(append);
        ask.exec();
        if (ask.clickedButton() == replace)
            mode = RecordFile::Mode::Replace;
        else if (ask.clickedButton() != append)
            return;
    }
    QString error;
    if (!startRecording(path, mode, &error))
        messages_.show(tr("无法开始记录 %1：%2").arg(path, error));
}

void frmmain::showTrend() {
    if (!trendWindow_)
        trendWindow_ = new TrendWindow(series_, this);
    trendWindow_->show();
    trendWindow_->raise();
    trendWindow_->activateWindow();
}
