#include "close_on_termination.h"
#include "desktop_web_launcher.h"
#include "frmmain.h"
#include "logo.h"
#include "message_box.h"
#include "qt_serial_control.h"
#include "serial_devices.h"
#include "sleep.h"

#ifdef SENSOR_TOOL_PROBE
#include "probe.h"
#endif

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("modbus-sensor-tool"));
    QApplication::setWindowIcon(QIcon(LogoPixmap()));

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
