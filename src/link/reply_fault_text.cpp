// SPDX-License-Identifier: MIT
#include "reply_fault_text.h"

#include "hex_transcript.h"

#include <QObject>

namespace {
// Stored files carry the code in lower case, a gateway's codes too.
QString exceptionToken(int code) {
    return QStringLiteral("exception_") + HexByte(code).toLower();
}
} // namespace

QString ReplyFaultName(ReplyFault fault) {
    switch (fault) {
    case ReplyFault::None:
        return ReplyFaultText::tr("正常");
    case ReplyFault::NoReply:
        return ReplyFaultText::tr("无回复");
    case ReplyFault::WrongLength:
        return ReplyFaultText::tr("不完整或过长");
    case ReplyFault::WrongSender:
        return ReplyFaultText::tr("地址或功能码不符");
    case ReplyFault::Exception:
        return ReplyFaultText::tr("异常回复");
    case ReplyFault::CrcError:
        return ReplyFaultText::tr("CRC 错误");
    case ReplyFault::GatewayRefused:
        return ReplyFaultText::tr("网关拒绝");
    }
    return {};
}

QString DescribeReplyFault(const ReplyVerdict& verdict, qsizetype receivedBytes) {
    switch (verdict.fault) {
    case ReplyFault::None:
        return {};
    case ReplyFault::NoReply:
        if (verdict.exceptionCode != 0)
            return ReplyFaultText::tr(
                       "原因：网关报告目标设备没有回应（异常码 %1）：检查网关串口侧的接线、"
                       "波特率和传感器地址")
                .arg(HexByte(verdict.exceptionCode));
        return ReplyFaultText::tr("原因：没有收到回复");
    case ReplyFault::WrongLength:
        return ReplyFaultText::tr("原因：回复不完整或过长（收到 %n 字节）", "",
                                  static_cast<int>(receivedBytes));
    case ReplyFault::WrongSender:
        return ReplyFaultText::tr("原因：回复的地址或功能码与请求不符");
    case ReplyFault::Exception:
        return ReplyFaultText::tr("原因：传感器返回异常码 %1").arg(HexByte(verdict.exceptionCode));
    case ReplyFault::CrcError:
        return ReplyFaultText::tr("原因：回复的 CRC 校验错误（线路干扰、接线或终端电阻问题）");
    case ReplyFault::GatewayRefused:
        return ReplyFaultText::tr(
                   "原因：网关拒绝，网关路径不可用（异常码 %1）：检查网关的串口和单元号设置")
            .arg(HexByte(verdict.exceptionCode));
    }
    return {};
}

QString ReplyFaultToken(const ReplyVerdict& verdict) {
    switch (verdict.fault) {
    case ReplyFault::None:
        return {};
    case ReplyFault::NoReply:
        if (verdict.exceptionCode != 0)
            return exceptionToken(verdict.exceptionCode);
        return QStringLiteral("no_reply");
    case ReplyFault::WrongLength:
        return QStringLiteral("length");
    case ReplyFault::WrongSender:
        return QStringLiteral("address_or_function");
    case ReplyFault::Exception:
    case ReplyFault::GatewayRefused:
        return exceptionToken(verdict.exceptionCode);
    case ReplyFault::CrcError:
        return QStringLiteral("crc");
    }
    return {};
}
