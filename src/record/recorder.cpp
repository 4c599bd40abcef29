// SPDX-License-Identifier: MIT
#include "recorder.h"

#include <QFile>

namespace {
// The first bytes of an existing file, enough for its header row.
QByteArray headerOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.read(512) : QByteArray();
}
} // namespace

bool Recorder::start(const QString& path, RecordFile::Mode mode, QString* error) {
    stop();
    if (!file_.open(path, mode) || (file_.sizeAtOpen() == 0 && !file_.append(Csv::Preamble()))) {
        *error = file_.error();
        file_.close();
        return false;
    }
    columns_ = file_.sizeAtOpen() == 0 ? Csv::Columns::WithModel : Csv::ColumnsOf(headerOf(path));
    path_ = path;
    rows_ = 0;
    return true;
}

void Recorder::stop() {
    file_.close();
}

void Recorder::record(const CycleRecord& cycle) {
    if (!file_.isOpen())
        return;
    if (!file_.append(Csv::Row(cycle, columns_))) {
        const QString reason = file_.error();
        file_.close();
        emit failed(reason);
        return;
    }
    emit rowWritten(++rows_);
}
