// SPDX-License-Identifier: MIT
#include "line_settings/line_settings_dialog.h"

#include "tool_limits.h"
#include "window/captions.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

LineSettingsDialog::LineSettingsDialog(int baud, const LineFormat& format, const QString& note,
                                       QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("LineSettingsDialog"));
    setWindowTitle(tr("线路设置"));
    baud_ = new QComboBox;
    baud_->setObjectName(QStringLiteral("lineBaud"));
    for (const int rate : Limits::kLineBaudRates)
        baud_->addItem(QString::number(rate), rate);
    // A rate kept from elsewhere (com.txt, the scan) stays choosable as it is.
    if (baud_->findData(baud) < 0)
        baud_->addItem(QString::number(baud), baud);
    baud_->setCurrentIndex(baud_->findData(baud));
    parity_ = new QComboBox;
    parity_->setObjectName(QStringLiteral("lineParity"));
    for (int index = 0; index < LineFormats::kParityLetters.size(); ++index)
        parity_->addItem(Caption::Parity(index), LineFormats::kParityLetters[index]);
    parity_->setCurrentIndex(qMax(0, LineFormats::ParityIndex(format.parity)));
    stopBits_ = new QComboBox;
    stopBits_->setObjectName(QStringLiteral("lineStopBits"));
    for (const int bits : {1, 2})
        stopBits_->addItem(QString::number(bits), bits);
    stopBits_->setCurrentIndex(stopBits_->findData(format.stopBits));

    auto* form = new QFormLayout;
    form->addRow(tr("波特率(&B)："), baud_);
    form->addRow(tr("校验位(&P)："), parity_);
    form->addRow(tr("数据位："), new QLabel(QStringLiteral("8")));
    form->addRow(tr("停止位(&S)："), stopBits_);

    auto* buttons = new QDialogButtonBox;
    // Buttons of our own text: standard ones take Qt's text back at a change of language.
    QPushButton* ok = buttons->addButton(tr("确定"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("lineAccept"));
    ok->setDefault(true);
    buttons->addButton(tr("取消"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    auto* explanation = new QLabel(
        tr("打开的串口以新设置重新打开；关闭时在下次打开串口时生效。波特率存入 com.txt。"));
    explanation->setWordWrap(true);
    layout->addWidget(explanation);
    if (!note.isEmpty()) {
        auto* noteLabel = new QLabel(note);
        noteLabel->setObjectName(QStringLiteral("lineNote"));
        noteLabel->setWordWrap(true);
        noteLabel->setStyleSheet(QStringLiteral("color: #a00000"));
        layout->addWidget(noteLabel);
    }
    layout->addWidget(buttons);
}

int LineSettingsDialog::baud() const {
    return baud_->currentData().toInt();
}

LineFormat LineSettingsDialog::format() const {
    return {parity_->currentData().toChar(), stopBits_->currentData().toInt()};
}
