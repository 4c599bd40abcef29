// SPDX-License-Identifier: MIT
#pragma once

#include "message_sink.h"

class QWidget;

// Operator messages as QMessageBox, modal to the window.
class QtMessageBox final : public MessageSink {
public:
    explicit QtMessageBox(QString title, QWidget* parent = nullptr)
        : title_(std::move(title)), parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }
    void show(const QString& text) override;

private:
    QString title_;
    QWidget* parent_;
};
