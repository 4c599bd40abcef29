// SPDX-License-Identifier: MIT
#include "close_on_termination.h"
#include "desktop_web_launcher.h"
#include "frmmain.h"
#include "logo.h"
#include "message_box.h"
#include "qt_serial_control.h"
#include "qt_texts.h"
#include "serial_devices.h"
#include "sleep.h"
#include "user_folder.h"

#ifdef SENSOR_TOOL_PROBE
#include "probe.h"
#endif

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QIcon>
#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("modbus-sensor-tool"));
    QApplication::setApplicationVersion(QStringLiteral(SENSOR_TOOL_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("modbus-sensor-tool"));
    InstallQtChineseTexts(app);
    QApplication::setWindowIcon(
        QIcon::fromTheme(QStringLiteral("modbus-sensor-tool"), QIcon(LogoPixmap())));

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
#ifndef SENSOR_TOOL_PROBE // the benchmark passes its own arguments
    options.process(app);
    if (options.isSet(perUserFolder)) {
        QString error;
        if (EnterPerUserFolder(&error).isEmpty())
            std::fprintf(stderr, "modbus-sensor-tool: %s; using the working directory\n",
                         qPrintable(error));
    }
#endif

    QtSerialControl port;
    QtMessageBox messages(QStringLiteral("温湿度传感器Modbus调试软件"));
    DesktopWebLauncher web;
    SystemSerialDevices devices;
    const Services services{port, messages, web, devices, SleepMilliseconds, {}};

    frmmain window(services);
    messages.setParent(&window);
    CloseOnTermination(window);
#ifdef SENSOR_TOOL_PROBE
    InstallProbe(window, argc, argv);
#endif
    window.show();
    return QApplication::exec();
}
