// SPDX-License-Identifier: MIT
#pragma once

#include <functional>

#include "message_sink.h"

class QWidget;

// Operator messages as QMessageBox, modal to the window.
class QtMessageBox final : public MessageSink {
public:
    explicit QtMessageBox(QString title, QWidget* parent = nullptr)
        : title_([title] { return title; }), parent_(parent) {}
    // A title looked up at each box, so that it follows a change of language.
    explicit QtMessageBox(std::function<QString()> title, QWidget* parent = nullptr)
        : title_(std::move(title)), parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }
    using MessageSink::show;
    void show(const QString& text, const QString& reason) override;

private:
    std::function<QString()> title_;
    QWidget* parent_;
};
