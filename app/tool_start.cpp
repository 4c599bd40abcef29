// SPDX-License-Identifier: MIT
#include "tool_start.h"

#include "close_on_termination.h"
#include "desktop_web_launcher.h"
#include "frmmain.h"
#include "message_box.h"
#include "port_router.h"
#include "qt_texts.h"
#include "serial_devices.h"
#include "sleep.h"
#include "user_folder.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QIcon>
#include <QScreen>
#include <cstdio>

namespace {

void applyOptions(const QApplication& app) {
    QCommandLineParser options;
    options.setApplicationDescription(
        QStringLiteral("Commission and watch a Modbus RTU temperature and humidity sensor."));
    options.addHelpOption();
    options.addVersionOption();
    const QCommandLineOption perUserFolder(
        QStringLiteral("per-user-folder"),
        QStringLiteral("Keep com.txt and COMn links in %1 instead of the working directory "
                       "(the desktop menu starts it so).")
            .arg(QDir::toNativeSeparators(PerUserFolder())));
    options.addOption(perUserFolder);
    options.process(app);
    if (options.isSet(perUserFolder)) {
        QString error;
        if (EnterPerUserFolder(&error).isEmpty())
            std::fprintf(stderr, "modbus-sensor-tool: %s; using the working directory\n",
                         qPrintable(error));
    }
}

// From the program's own resources: asking the icon theme at start costs thousands of
// file look-ups before the first paint. QIcon decodes each file as it is added and the X11
// window takes every size, so only the sizes of title bars and task bars are given; the
// desktop draws larger ones from the installed icon of the .desktop entry.
QIcon windowIcon() {
    QIcon icon;
    for (const int size : {16, 32, 48, 64})
        icon.addFile(QStringLiteral(":/icons/modbus-sensor-tool-%1.png").arg(size),
                     QSize(size, size));
    return icon;
}

} // namespace

int RunTool(int argc, char* argv[], const std::function<void(frmmain&)>& attach) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("modbus-sensor-tool"));
    QApplication::setApplicationVersion(QStringLiteral(SENSOR_TOOL_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("modbus-sensor-tool"));
    QApplication::setWindowIcon(windowIcon());
    InstallQtChineseTexts(app);
    applyOptions(app);

    PortRouter port;
    QtMessageBox messages(QStringLiteral("温湿度传感器Modbus调试软件"));
    DesktopWebLauncher web;
    SystemSerialDevices devices;
    const Services services{port, messages, web, devices, SleepMilliseconds, {}, &port};

    frmmain window(services);
    messages.setParent(&window);
    CloseOnTermination(window);
    if (attach)
        attach(window);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect centred = window.rect();
        centred.moveCenter(screen->availableGeometry().center());
        window.move(centred.topLeft());
    }
    window.show();
    return QApplication::exec();
}
