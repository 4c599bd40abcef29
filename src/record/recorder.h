// SPDX-License-Identifier: MIT
#pragma once

#include "csv_record.h"
#include "record_file.h"

#include <QObject>

// Writes judged cycles to a CSV file as they come. A row that cannot be written ends the
// recording (the file keeps every row before it); the caller is told why.
class Recorder final : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~Recorder() override { stop(); }

    // Appends to an existing file, or replaces it; a new or empty file gets the header.
    bool start(const QString& path, RecordFile::Mode mode, QString* error);
    void stop();
    bool recording() const { return file_.isOpen(); }
    QString path() const { return path_; }
    int rows() const { return rows_; }
    void record(const CycleRecord& cycle);

signals:
    void rowWritten(int rows);
    // The recording has ended because a row could not be written.
    void failed(const QString& reason);

private:
    RecordFile file_;
    QString path_;
    int rows_ = 0;
    Csv::Columns columns_ = Csv::Columns::WithModel;
};
