// SPDX-License-Identifier: MIT
#pragma once

#include "handover_bus.h"
#include "handover_files.h"

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QTabWidget;
class QTableWidget;

// 导出配置: the bus as Telegraf, Home Assistant, mbpoll and ESPHome will read it, each file
// previewed; the sensors' names can be edited and reach every file at once.
class HandoverDialog final : public QDialog {
    Q_OBJECT
public:
    // note: what the operator should know of the line (a device that is not there now).
    HandoverDialog(HandoverBus bus, const QString& note, QWidget* parent = nullptr);

    const HandoverBus& bus() const { return bus_; }
    // Writes every file into folder; false with *error naming the file that failed.
    bool saveInto(const QString& folder, QString* error) const;

private:
    void rename(int row, int column);
    void showFiles();
    void chooseFolder();

    HandoverBus bus_;
    QList<HandoverFile> files_;
    QTableWidget* sensors_;
    QTabWidget* previews_;
    QLabel* result_;
};
