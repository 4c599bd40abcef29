// SPDX-License-Identifier: MIT
#pragma once

#include "reply_check.h"

#include <QCoreApplication>
#include <QString>

// The context of the reasons' translations.
class ReplyFaultText {
    Q_DECLARE_TR_FUNCTIONS(ReplyFaultText)
};

// Why a reply was refused, in the operator's words, for the status box's tooltip.
QString DescribeReplyFault(const ReplyVerdict& verdict, qsizetype receivedBytes);
// The same reason as the record's reason column holds it: a short token for programs.
QString ReplyFaultToken(const ReplyVerdict& verdict);
// The names of the reasons in the statistics window.
QString ReplyFaultName(ReplyFault fault);
