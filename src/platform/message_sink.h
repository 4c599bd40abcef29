#pragma once

#include <QString>

class QWidget;

// Operator messages: modal, the text and an OK button, no icon, the application's title.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void show(const QString& text) = 0;
};

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
