// SPDX-License-Identifier: MIT
#pragma once

#include "judged_cycle.h"
#include "recorder.h"

#include <QObject>

class MessageSink;
class QAction;
class QWidget;
class ReadingSource;

// Recording the acquisition cycles to CSV: its three actions (开始记录…, 停止记录 and the
// check mark), the file dialog, and a note on its state for the status box's tooltip.
class RecordingPart final : public QObject {
    Q_OBJECT
public:
    // folder: where the file dialog starts (the folder of com.txt).
    RecordingPart(QWidget& window, MessageSink& messages, QString folder);

    QList<QAction*> actions() const { return {start_, stop_}; }
    // False with *error set when the file cannot be had.
    bool start(const QString& path, RecordFile::Mode mode, QString* error);
    void stop();
    const Recorder& recorder() const { return recorder_; }
    // Records the cycles the source judges.
    void follow(const ReadingSource& source);
    // A row for each cycle judged while acquisition runs.
    void keep(const JudgedCycle& cycle);
    // Whether a recording runs, or how the last one ended; empty before the first.
    QString note() const;

signals:
    void noteChanged();
    // A row could not be written and the recording has ended; note says so.
    void stoppedByFailure(const QString& note);

private:
    void chooseFile();
    void failed(const QString& reason);
    void showState();

    QWidget& window_;
    MessageSink& messages_;
    QString folder_;
    Recorder recorder_;
    QString ended_; // how the last recording ended
    QAction* start_ = nullptr;
    QAction* stop_ = nullptr;
};
