// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QWidget>

// A filled circle (diameter the smaller side, centred) whose colour shows a state.
class Lamp final : public QWidget {
    Q_OBJECT
public:
    explicit Lamp(QWidget* parent = nullptr);
    QColor fillColor() const { return fill_; }
    void setFillColor(const QColor& color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor fill_ = Qt::black;
};
