// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// A file that rows are appended to one at a time, each one handed to the storage before
// append returns, so a crash or a power cut loses at most the row being written.
class RecordFile {
public:
    enum class Mode { Append, Replace };

    // Opens (creating when missing); false with error() set when it cannot.
    bool open(const QString& path, Mode mode);
    bool isOpen() const { return file_.isOpen(); }
    // Bytes already in the file when it was opened for appending.
    qint64 sizeAtOpen() const { return sizeAtOpen_; }
    // Writes and syncs; false with error() set when the bytes did not all reach the file.
    bool append(const QByteArray& bytes);
    void close();
    QString error() const { return error_; }
    QString path() const { return file_.fileName(); }

private:
    QFile file_;
    qint64 sizeAtOpen_ = 0;
    QString error_;
};
