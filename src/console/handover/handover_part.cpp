// SPDX-License-Identifier: MIT
#include "handover/handover_part.h"

#include "handover/handover_dialog.h"
#include "menu/part_actions.h"
#include "port_names.h"
#include "serial_devices.h"

#include <QAction>
#include <QCoreApplication>

HandoverLine HandoverLineFor(int port, const LineSetup& setup, const ServerMap& servers,
                             const QString& portFolder, const SerialDevices& devices,
                             QString* note) {
    HandoverLine line;
    line.setup = setup;
    if (const auto found = servers.find(port); found != servers.end()) {
        const ServerAddress& server = found->second;
        line.host = server.host;
        line.tcpPort = server.port;
        // An RFC 2217 server is reached by monitoring systems as a raw stream: none of them
        // speaks the COM-PORT-OPTION, so its line must be set on the server.
        const bool stream = server.kind == ServerAddress::Kind::Rfc2217 ||
                            server.kind == ServerAddress::Kind::RawTcp;
        line.kind = stream ? HandoverLine::Kind::RawTcp : HandoverLine::Kind::Gateway;
        if (server.kind == ServerAddress::Kind::Rfc2217 && note)
            *note = HandoverPart::tr("%1 是 RFC 2217 服务器：监控系统以 TCP 原样转发连接它，"
                                     "请在服务器上把线路设为 %2。")
                        .arg(server.text(), setup.text());
        return line;
    }
    const PortLocation location = LocatePort(port, portFolder);
    line.device = location.device;
    for (const SerialDeviceInfo& device : devices.available()) {
        if (device.path == location.device && !device.stableName.isEmpty())
            line.device = device.stableName;
    }
    if (!location.present && note)
        *note = HandoverPart::tr("COM%1 的设备 %2 现在不存在：请在文件中改成"
                                 "监控计算机上传感器线路的设备。")
                    .arg(port)
                    .arg(location.device);
    return line;
}

HandoverPart::HandoverPart(QWidget& window, Source source)
    : QObject(&window), window_(window), source_(std::move(source)) {
    setObjectName(QStringLiteral("handover"));
    action_ = AddPartAction(
        window, this, [] { return HandoverPart::tr("导出配置…"); }, "handoverAction",
        QKeySequence(Qt::CTRL | Qt::Key_H));
    FollowLanguage(window, this, [this] { retranslate(); });
    connect(action_, &QAction::triggered, this, &HandoverPart::showDialog);
}

void HandoverPart::showDialog() {
    show(false);
}

void HandoverPart::showWatched() {
    show(true);
}

void HandoverPart::show(bool watched) {
    delete dialog_;
    watchedShown_ = watched;
    HandoverBus bus;
    QString note;
    bus.line = source_.line(&note);
    bus.sensors = watched ? source_.watched() : source_.sensors();
    dialog_ = new HandoverDialog(bus, note, &window_);
    BringToFront(*dialog_);
}

void HandoverPart::retranslate() {
    RebuildForLanguage(dialog_, [this] { show(watchedShown_); });
}
