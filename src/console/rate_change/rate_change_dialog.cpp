// SPDX-License-Identifier: MIT
#include "rate_change/rate_change_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

RateChangeDialog::RateChangeDialog(const QString& sensors, const QList<int>& rates, int currentBaud,
                                   QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("RateChangeDialog"));
    setWindowTitle(tr("更改波特率"));
    rate_ = new QComboBox;
    rate_->setObjectName(QStringLiteral("newRate"));
    for (const int rate : rates)
        rate_->addItem(QString::number(rate), rate);
    // The first rate that is not the line's own: the one most likely meant.
    for (int i = 0; i < rates.size(); ++i) {
        if (rates[i] != currentBaud) {
            rate_->setCurrentIndex(i);
            break;
        }
    }
    auto* form = new QFormLayout;
    form->addRow(tr("传感器："), new QLabel(sensors));
    form->addRow(tr("新波特率(&B)："), rate_);

    auto* explanation = new QLabel(tr("新波特率写入每个传感器，串口改用新波特率后逐个读取确认；有传"
                                      "感器不回答时，串口回到原来的波特率。"));
    explanation->setWordWrap(true);

    auto* buttons = new QDialogButtonBox;
    QPushButton* ok = buttons->addButton(tr("更改"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("rateAccept"));
    ok->setDefault(true);
    buttons->addButton(tr("取消"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(explanation);
    layout->addWidget(buttons);
}

int RateChangeDialog::baud() const {
    return rate_->currentData().toInt();
}
