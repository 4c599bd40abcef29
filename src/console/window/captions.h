// SPDX-License-Identifier: MIT
#pragma once

#include <QCoreApplication>
#include <QString>
#include <iterator>

// The window's fixed texts that its code sets in more than one place, looked up in the
// language chosen when they are asked for. The Chinese texts are the source, so without a
// translation they stand as they always have.
class Caption {
    Q_DECLARE_TR_FUNCTIONS(Caption)

public:
    static QString Window() {
        return tr("温湿度传感器Modbus调试软件　　　　　　　　　             Quorvex");
    }
    static QString Start() { return tr("采 集"); } // acquisition stopped
    static QString Stop() { return tr("停 止"); }  // acquisition running
    static QString Confirm() { return tr("确 定"); }
    static QString Good() { return tr("通讯数据正常！"); }
    static QString Bad() { return tr("通讯数据错误！"); }
    static inline const QString kWebAddress = QStringLiteral("www.modbus.org");
    // The application's title, on its message boxes.
    static QString Application() { return tr("温湿度传感器Modbus调试软件"); }
    // The parity list's items, in the order of LineFormats::kParityLetters.
    static QString Parity(int index) {
        static const char* const kCaptions[] = {QT_TR_NOOP("无校验"), QT_TR_NOOP("奇校验"),
                                                QT_TR_NOOP("偶校验")};
        return index >= 0 && index < static_cast<int>(std::size(kCaptions)) ? tr(kCaptions[index])
                                                                            : QString();
    }
};

// Command1's caption: the port's state as the operator sees it.
class PortCaption {
    Q_DECLARE_TR_FUNCTIONS(PortCaption)

public:
    static QString Open() { return tr("打开串口"); }  // shown while closed
    static QString Close() { return tr("关闭串口"); } // shown while open
};
