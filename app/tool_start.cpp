// SPDX-License-Identifier: MIT
#include "tool_start.h"

#include "desktop_web_launcher.h"
#include "language/language_part.h"
#include "language/qt_texts.h"
#include "message_box.h"
#include "port_router.h"
#include "serial_devices.h"
#include "sleep.h"
#include "user_folder.h"
#include "window/captions.h"
#include "window/close_on_termination.h"
#include "window/frmmain.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QIcon>
#include <QScreen>
#include <cstdio>

namespace {

// Whether the command line asks only for text: help or the version.
bool asksOnlyForText(int argc, char* argv[]) {
    static const QByteArrayList kTextOptions = {"-h",         "--help", "-?",
                                                "--help-all", "-v",     "--version"};
    for (int i = 1; i < argc; ++i) {
        if (kTextOptions.contains(QByteArray(argv[i])))
            return true;
    }
    return false;
}

QString applyOptions(const QCoreApplication& app) {
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
    const QCommandLineOption language(
        QStringLiteral("language"),
        QStringLiteral("Show the tool in this language for this run: zh (Chinese, the default) "
                       "or en (English). The context menu's 语言 / Language keeps a choice."),
        QStringLiteral("en|zh"));
    options.addOption(language);
    options.process(app);
    if (options.isSet(language) && !ParseLanguage(options.value(language)))
        std::fprintf(stderr, "modbus-sensor-tool: unknown language %s; use en or zh\n",
                     qPrintable(options.value(language)));
    if (options.isSet(perUserFolder)) {
        QString error;
        if (EnterPerUserFolder(&error).isEmpty())
            std::fprintf(stderr, "modbus-sensor-tool: %s; using the working directory\n",
                         qPrintable(error));
    }
    return options.value(language);
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
    QCoreApplication::setApplicationName(QStringLiteral("modbus-sensor-tool"));
    QCoreApplication::setApplicationVersion(QStringLiteral(SENSOR_TOOL_VERSION));
    if (asksOnlyForText(argc, argv)) {
        // Only the window needs a display: help and the version print, and end, without one.
        QCoreApplication text(argc, argv);
        applyOptions(text);
    }
    QApplication app(argc, argv);
    QApplication::setDesktopFileName(QStringLiteral("modbus-sensor-tool"));
    QApplication::setWindowIcon(windowIcon());
    const QString language = applyOptions(app);
    // The settings are in the folder the tool now works in.
    InstallLanguage(app, StartLanguage(language, QDir::currentPath()));

    PortRouter port;
    QtMessageBox messages(std::function<QString()>(&Caption::Application));
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
