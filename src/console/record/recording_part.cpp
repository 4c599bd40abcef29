// SPDX-License-Identifier: MIT
#include "record/recording_part.h"

#include "menu/part_actions.h"
#include "message_sink.h"
#include "reading_source.h"
#include "reply_fault_text.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QWidget>

RecordingPart::RecordingPart(QWidget& window, MessageSink& messages, QString folder)
    : QObject(&window), window_(window), messages_(messages), folder_(std::move(folder)) {
    setObjectName(QStringLiteral("recording"));
    start_ = AddPartAction(
        window, this, [] { return RecordingPart::tr("开始记录…"); }, "recordAction",
        QKeySequence(Qt::CTRL | Qt::Key_R));
    start_->setCheckable(true);
    // Checked only by the recorder's state, not by the click itself.
    connect(start_, &QAction::triggered, this, [this] {
        showState();
        chooseFile();
    });
    stop_ = AddPartAction(
        window, this, [] { return RecordingPart::tr("停止记录"); }, "stopRecordAction",
        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R));
    connect(stop_, &QAction::triggered, this, &RecordingPart::stop);
    connect(&recorder_, &Recorder::rowWritten, this, &RecordingPart::showState);
    connect(&recorder_, &Recorder::failed, this, &RecordingPart::failed);
    showState();
}

bool RecordingPart::start(const QString& path, RecordFile::Mode mode, QString* error) {
    if (!recorder_.start(path, mode, error))
        return false;
    ended_.clear();
    showState();
    return true;
}

void RecordingPart::stop() {
    if (!recorder_.recording())
        return;
    recorder_.stop();
    ended_ =
        tr("记录已结束：%1（%n 行）", "", static_cast<int>(recorder_.rows())).arg(recorder_.path());
    showState();
}

void RecordingPart::follow(const ReadingSource& source) {
    connect(&source, &ReadingSource::cycleJudged, this, &RecordingPart::keep);
}

void RecordingPart::keep(const JudgedCycle& cycle) {
    // Rows are acquisition's readings: an address write's echo is not one.
    if (!cycle.acquiring || cycle.addressWrite || !recorder_.recording())
        return;
    CycleRecord row;
    row.time = cycle.time;
    row.address = cycle.address;
    row.ok = cycle.verdict.accepted();
    row.reason = ReplyFaultToken(cycle.verdict);
    if (cycle.readings) {
        // A sensor error leaves its column empty.
        if (const auto& t = cycle.readings->temperature) {
            row.temperatureScaled = t->scaled;
            row.temperatureDecimals = t->decimals;
        }
        if (const auto& h = cycle.readings->humidity) {
            row.humidityScaled = h->scaled;
            row.humidityDecimals = h->decimals;
        }
    }
    row.model = cycle.model.id;
    row.port = cycle.port;
    row.request = cycle.request;
    row.reply = cycle.reply;
    recorder_.record(row);
}

QString RecordingPart::note() const {
    if (recorder_.recording())
        return tr("正在记录：%1（%n 行）", "", static_cast<int>(recorder_.rows()))
            .arg(recorder_.path());
    return ended_;
}

void RecordingPart::failed(const QString& reason) {
    ended_ = tr("记录已停止：无法写入 %1（%2）").arg(recorder_.path(), reason);
    showState();
    // Acquisition goes on; the operator must learn that the record does not.
    emit stoppedByFailure(ended_);
    messages_.show(ended_);
}

// The check mark in the menu and the note say whether a recording runs.
void RecordingPart::showState() {
    const bool on = recorder_.recording();
    start_->setChecked(on);
    start_->setEnabled(!on);
    stop_->setEnabled(on);
    emit noteChanged();
}

void RecordingPart::chooseFile() {
    const QString suggested = QDir(folder_).filePath(
        tr("温湿度记录-%1.csv")
            .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"))));
    const QString path =
        QFileDialog::getSaveFileName(&window_, tr("开始记录"), suggested, tr("CSV 文件 (*.csv)"),
                                     nullptr, QFileDialog::DontConfirmOverwrite);
    if (path.isEmpty())
        return;
    RecordFile::Mode mode = RecordFile::Mode::Append;
    if (QFileInfo(path).size() > 0) {
        QMessageBox ask(QMessageBox::Question, tr("开始记录"),
                        tr("%1 已存在。新的记录接在原有内容之后，还是覆盖它？").arg(path),
                        QMessageBox::NoButton, &window_);
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
    if (!start(path, mode, &error))
        messages_.show(tr("无法开始记录 %1：%2").arg(path, error));
}
