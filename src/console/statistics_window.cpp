// SPDX-License-Identifier: MIT
#include "statistics_window.h"

#include "hex_transcript.h"
#include "reply_fault_text.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const ReplyFault kReasons[] = {ReplyFault::NoReply, ReplyFault::WrongLength,
                               ReplyFault::WrongSender, ReplyFault::Exception,
                               ReplyFault::CrcError};
const QString kSince = QObject::tr("统计开始于");
const QString kRequests = QObject::tr("已发送请求");
const QString kAccepted = QObject::tr("正常回复");
const QString kRefused = QObject::tr("拒收的回复");
const QString kShare = QObject::tr("正常率");
const QString kTimes = QObject::tr("回复时间（最短 / 中位 / 最长）");
} // namespace

StatisticsWindow::StatisticsWindow(LineStatistics& statistics, QWidget* parent)
    : QDialog(parent), statistics_(statistics) {
    setWindowTitle(tr("通讯统计"));
    setObjectName(QStringLiteral("statisticsWindow"));
    auto* form = new QFormLayout;
    for (const QString& caption : {kSince, kRequests, kAccepted, kRefused})
        addRow(*form, caption);
    for (const ReplyFault reason : kReasons)
        addRow(*form, QStringLiteral("　") + ReplyFaultName(reason));
    for (const QString& caption : {kShare, kTimes})
        addRow(*form, caption);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    QPushButton* reset = buttons->addButton(tr("重置(&R)"), QDialogButtonBox::ResetRole);
    reset->setObjectName(QStringLiteral("resetStatistics"));
    connect(reset, &QPushButton::clicked, &statistics_, &LineStatistics::reset);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    connect(&statistics_, &LineStatistics::changed, this, &StatisticsWindow::refresh);
    connect(&statistics_, &LineStatistics::changed, this, [this] {
        // A reset starts the clock again.
        if (statistics_.summary().requests == 0)
            values_.at(kSince)->setText(QTime::currentTime().toString(QStringLiteral("HH:mm:ss")));
    });
    values_.at(kSince)->setText(tr("打开串口时"));
    refresh();
}

QLabel* StatisticsWindow::addRow(QFormLayout& form, const QString& caption) {
    auto* value = new QLabel;
    value->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    value->setFocusPolicy(Qt::StrongFocus); // reachable with Tab, read with its caption
    auto* label = new QLabel(caption + QStringLiteral("："));
    label->setBuddy(value);
    form.addRow(label, value);
    values_[caption.trimmed()] = value;
    return value;
}

QString StatisticsWindow::value(const QString& caption) const {
    const auto found = values_.find(caption);
    return found == values_.end() ? QString() : found->second->text();
}

void StatisticsWindow::refresh() {
    const LineStatistics::Summary summary = statistics_.summary();
    const auto set = [this](const QString& caption, const QString& text) {
        QLabel* label = values_.at(caption.trimmed());
        label->setText(text);
        label->setAccessibleName(caption.trimmed() + QStringLiteral("：") + text);
    };
    set(kRequests, QString::number(summary.requests));
    set(kAccepted, QString::number(summary.accepted));
    set(kRefused, QString::number(summary.refused));
    for (const ReplyFault reason : kReasons) {
        const auto count = summary.refusals.find(reason);
        QString text = QString::number(count == summary.refusals.end() ? 0 : count->second);
        if (reason == ReplyFault::Exception && !summary.exceptionCodes.empty()) {
            QStringList codes;
            for (const auto& [code, times] : summary.exceptionCodes)
                codes << tr("%1 码 %2 次").arg(HexByte(code)).arg(times);
            text += QStringLiteral("（%1）").arg(codes.join(QStringLiteral("，")));
        }
        set(ReplyFaultName(reason), text);
    }
    set(kShare, summary.goodShare
                    ? QString::number(*summary.goodShare * 100, 'f', 1) + QStringLiteral(" %")
                    : QStringLiteral("—"));
    set(kTimes, summary.medianMs ? tr("%1 / %2 / %3 ms")
                                       .arg(*summary.fastestMs)
                                       .arg(*summary.medianMs)
                                       .arg(*summary.slowestMs)
                                 : QStringLiteral("—"));
}
