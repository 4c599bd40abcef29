// SPDX-License-Identifier: MIT
#include "recorder.h"

bool Recorder::start(const QString& path, RecordFile::Mode mode, QString* error) {
    stop();
    if (!file_.open(path, mode) || (file_.sizeAtOpen() == 0 && !file_.append(Csv::Preamble()))) {
        *error = file_.error();
        file_.close();
        return false;
    }
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
    if (!file_.append(Csv::Row(cycle))) {
        const QString reason = file_.error();
        file_.close();
        emit failed(reason);
        return;
    }
    emit rowWritten(++rows_);
}
