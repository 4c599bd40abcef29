// SPDX-License-Identifier: MIT
#include "statistics/statistics_window.h"

#include "hex_transcript.h"
#include "reply_fault_text.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const ReplyFault kReasons[] = {ReplyFault::NoReply,     ReplyFault::WrongLength,
                               ReplyFault::WrongSender, ReplyFault::Exception,
                               ReplyFault::CrcError,    ReplyFault::GatewayRefused};
const QString kNone = QStringLiteral("—");
} // namespace

// The captions are looked up here, not at static initialisation, so that the translator
// installed at start reaches them.
StatisticsWindow::StatisticsWindow(LineStatistics& statistics, QWidget* parent)
    : QDialog(parent), statistics_(statistics) {
    setWindowTitle(tr("通讯统计"));
    setObjectName(QStringLiteral("statisticsWindow"));
    auto* form = new QFormLayout;
    rows_[Row::Since] = addRow(*form, tr("统计开始于"));
    rows_[Row::Requests] = addRow(*form, tr("已发送请求"));
    rows_[Row::Accepted] = addRow(*form, tr("正常回复"));
    rows_[Row::Refused] = addRow(*form, tr("拒收的回复"));
    for (const ReplyFault reason : kReasons)
        reasons_[reason] = addRow(*form, QStringLiteral("　") + ReplyFaultName(reason));
    rows_[Row::GoodShare] = addRow(*form, tr("正常率"));
    rows_[Row::ReplyTimes] = addRow(*form, tr("回复时间（最短 / 中位 / 最长）"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    QPushButton* reset = buttons->addButton(tr("重置(&R)"), QDialogButtonBox::ResetRole);
    reset->setObjectName(QStringLiteral("resetStatistics"));
    connect(reset, &QPushButton::clicked, &statistics_, &LineStatistics::reset);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    connect(&statistics_, &LineStatistics::changed, this, &StatisticsWindow::refresh);
    refresh();
    // The first row's text is selectable: focused, it would show a caret.
    buttons->button(QDialogButtonBox::Close)->setFocus();
}

QLabel* StatisticsWindow::addRow(QFormLayout& form, const QString& caption) {
    auto* value = new QLabel;
    value->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    value->setFocusPolicy(Qt::StrongFocus); // reachable with Tab, read with its caption
    value->setProperty("caption", caption.trimmed());
    auto* label = new QLabel(caption + tr("："));
    label->setBuddy(value);
    form.addRow(label, value);
    return value;
}

QString StatisticsWindow::value(Row row) const {
    return rows_.at(row)->text();
}

QString StatisticsWindow::value(ReplyFault reason) const {
    const auto found = reasons_.find(reason);
    return found == reasons_.end() ? QString() : found->second->text();
}

void StatisticsWindow::showValue(QLabel* value, const QString& text) {
    value->setText(text);
    value->setAccessibleName(value->property("caption").toString() + tr("：") + text);
}

void StatisticsWindow::refresh() {
    const LineStatistics::Summary summary = statistics_.summary();
    const QDateTime since = statistics_.since();
    showValue(rows_.at(Row::Since), since.toString(since.date() == QDate::currentDate()
                                                       ? QStringLiteral("HH:mm:ss")
                                                       : QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    showValue(rows_.at(Row::Requests), QString::number(summary.requests));
    showValue(rows_.at(Row::Accepted), QString::number(summary.accepted));
    showValue(rows_.at(Row::Refused), QString::number(summary.refused));
    for (const ReplyFault reason : kReasons) {
        const auto count = summary.refusals.find(reason);
        QString text = QString::number(count == summary.refusals.end() ? 0 : count->second);
        // Each code under the reason it counts as: a gateway's 0B under no reply.
        QStringList codes;
        for (const auto& [code, times] : summary.exceptionCodes) {
            if (ExceptionFault(code) == reason)
                codes << tr("%1 码 %n 次", "", times).arg(HexByte(code));
        }
        if (!codes.isEmpty())
            text += QStringLiteral("（%1）").arg(codes.join(QStringLiteral("，")));
        showValue(reasons_.at(reason), text);
    }
    showValue(rows_.at(Row::GoodShare),
              summary.goodShare
                  ? QString::number(*summary.goodShare * 100, 'f', 1) + QStringLiteral(" %")
                  : kNone);
    showValue(rows_.at(Row::ReplyTimes), summary.medianMs ? tr("%1 / %2 / %3 ms")
                                                                .arg(*summary.fastestMs)
                                                                .arg(*summary.medianMs)
                                                                .arg(*summary.slowestMs)
                                                          : kNone);
}
