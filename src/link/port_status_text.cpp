// SPDX-License-Identifier: MIT
#include "port_status_text.h"

#include "port_names.h"
#include "serial_control.h"

#include <QObject>
#include <QStringList>

PortProblem ProblemForCode(int commErrorCode) {
    switch (commErrorCode) {
    case CommError::kNoSuchPort:
        return PortProblem::Missing;
    case CommError::kPortBusy:
        return PortProblem::Busy;
    case CommError::kPermissionDenied:
        return PortProblem::NoPermission;
    case CommError::kInvalidValue:
        return PortProblem::SettingsRefused;
    case CommError::kIoFailure:
        return PortProblem::WriteFailed;
    default:
        return PortProblem::Other;
    }
}

namespace {

QString portAndDevice(const PortProblemContext& context) {
    const QString port = QStringLiteral("COM%1").arg(context.port);
    if (context.device.isEmpty() || context.device == port)
        return port;
    return PortStatusText::tr("%1（%2）").arg(port, context.device);
}

QString missingLine(const PortProblemContext& context) {
    // A server out of reach is named with the network's reason; no device file is meant.
    if (context.viaServer)
        return PortStatusText::tr("%1 无法连接：%2")
            .arg(portAndDevice(context), context.systemDetail);
    const QString missing = PortStatusText::tr("%1 不存在").arg(portAndDevice(context));
    if (context.existing.empty())
        return PortStatusText::tr("%1，系统中没有找到串口设备").arg(missing);
    QStringList paths;
    for (const SerialDeviceInfo& device : context.existing)
        paths << device.path;
    const QString found =
        PortStatusText::tr("%1；现有串口：%2")
            .arg(missing, paths.join(PortStatusText::tr("、", "between devices")));
    const QString advice = PortLinkAdvice(context.existing.front().path, context.port);
    return advice.isEmpty()
               ? found
               : PortStatusText::tr("%1；%2", "what is found; advice").arg(found, advice);
}

} // namespace

StatusText DescribePortProblem(PortProblem problem, const PortProblemContext& context) {
    QString line;
    switch (problem) {
    case PortProblem::Missing:
        line = missingLine(context);
        break;
    case PortProblem::Busy:
        line = PortStatusText::tr("%1 被其他程序占用").arg(portAndDevice(context));
        break;
    case PortProblem::NoPermission: {
        line = PortStatusText::tr("无权打开 %1").arg(portAndDevice(context));
        const QString advice = PermissionAdvice();
        if (!advice.isEmpty())
            line += QStringLiteral("：") + advice;
        break;
    }
    case PortProblem::SettingsRefused:
        line = PortStatusText::tr("%1 不接受线路参数 %2")
                   .arg(portAndDevice(context), context.settings);
        break;
    case PortProblem::WriteFailed:
        line = PortStatusText::tr("向 %1 写入失败，串口已关闭").arg(portAndDevice(context));
        break;
    case PortProblem::Lost:
        line = PortStatusText::tr("%1 已断开").arg(portAndDevice(context));
        break;
    case PortProblem::Other:
        line = PortStatusText::tr("无法打开 %1").arg(portAndDevice(context));
        break;
    }
    // A full-width bracket needs no space after it.
    line.replace(QStringLiteral("） "), QStringLiteral("）"));
    const QString detail = context.systemDetail.isEmpty()
                               ? QString()
                               : PortStatusText::tr("系统信息：%1").arg(context.systemDetail);
    return {line, detail, [problem, context] { return DescribePortProblem(problem, context); }};
}

QString PortToolTip(int port, const QString& device, bool present, bool throughLink,
                    const std::vector<SerialDeviceInfo>& existing) {
    QStringList lines;
    const QString origin =
        throughLink ? PortStatusText::tr("（经文件夹中的 COM%1 链接）").arg(port) : QString();
    lines << PortStatusText::tr("COM%1 → %2%3").arg(port).arg(device, origin);
    if (!present) {
        lines << PortStatusText::tr("此处没有连接设备");
        return lines.join(QLatin1Char('\n'));
    }
    for (const SerialDeviceInfo& info : existing) {
        if (info.path != device)
            continue;
        if (!info.description.isEmpty())
            lines << PortStatusText::tr("描述：%1").arg(info.description);
        if (!info.manufacturer.isEmpty())
            lines << PortStatusText::tr("制造商：%1").arg(info.manufacturer);
        if (!info.serialNumber.isEmpty())
            lines << PortStatusText::tr("序列号：%1").arg(info.serialNumber);
        if (!info.stableName.isEmpty())
            lines << info.stableName;
    }
    return lines.join(QLatin1Char('\n'));
}
