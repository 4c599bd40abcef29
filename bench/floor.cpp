// SPDX-License-Identifier: MIT
// The platform floor: Qt Widgets, one window of the tool's size, two labels with the tool's
// Chinese texts in the same fonts, one regular and one bold. Nothing else.
#include "probe.h"
#include "window/song_font.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("温湿度传感器Modbus调试软件"));
    window.setFixedSize(497, 402);
    QLabel regular(
        QStringLiteral("串口号 波特率 校验位 数据位 停止位 模块地址: 当前温度: 当前湿度:"),
        &window);
    regular.setFont(SongFont(10.5));
    regular.move(16, 40);
    QLabel bold(QStringLiteral(" 通讯设置  温度采集  模块地址更改 "), &window);
    bold.setFont(SongFont(12, true));
    bold.move(16, 8);
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    InstallProbe(window, arguments);
    window.show();
    return QApplication::exec();
}
