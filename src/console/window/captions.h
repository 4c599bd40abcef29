// SPDX-License-Identifier: MIT
#pragma once

#include <QCoreApplication>
#include <QString>

// The window's fixed texts that its code sets in more than one place, looked up in the
// language chosen when they are asked for. The Chinese texts are the source, so without a
// translation they stand as they always have.
namespace Caption {
inline QString Window() {
    return QCoreApplication::translate(
        "Caption", "温湿度传感器Modbus调试软件　　　　　　　　　             Quorvex");
}
inline QString Start() { // acquisition stopped
    return QCoreApplication::translate("Caption", "采 集");
}
inline QString Stop() { // acquisition running
    return QCoreApplication::translate("Caption", "停 止");
}
inline QString Confirm() {
    return QCoreApplication::translate("Caption", "确 定");
}
inline QString Good() {
    return QCoreApplication::translate("Caption", "通讯数据正常！");
}
inline QString Bad() {
    return QCoreApplication::translate("Caption", "通讯数据错误！");
}
inline const QString kWebAddress = QStringLiteral("www.modbus.org");
// The application's title, on its message boxes.
inline QString Application() {
    return QCoreApplication::translate("Caption", "温湿度传感器Modbus调试软件");
}
} // namespace Caption

// Command1's caption: the port's state as the operator sees it.
namespace PortCaption {
inline QString Open() { // shown while closed
    return QCoreApplication::translate("Caption", "打开串口");
}
inline QString Close() { // shown while open
    return QCoreApplication::translate("Caption", "关闭串口");
}
} // namespace PortCaption

// The parity list's items, in the order of LineFormats::kParityLetters.
inline QString ParityCaption(int index) {
    static const char* const kCaptions[] = {QT_TRANSLATE_NOOP("Caption", "无校验"),
                                            QT_TRANSLATE_NOOP("Caption", "奇校验"),
                                            QT_TRANSLATE_NOOP("Caption", "偶校验")};
    return index >= 0 && index < 3 ? QCoreApplication::translate("Caption", kCaptions[index])
                                   : QString();
}
