// SPDX-License-Identifier: MIT
#include "network_ports/network_ports_part.h"

#include "frame_sizes.h"
#include "menu/part_actions.h"
#include "network_ports/network_ports_dialog.h"
#include "window/editable_combo_box.h"
#include "window/port_list_tips.h"

#include <QAction>

NetworkPortsPart::NetworkPortsPart(QWidget& window, PortMapping* mapping,
                                   const QString& settingsFolder, EditableComboBox& portList,
                                   QList<QWidget*> linkLists, PortListTips& tips)
    : QObject(&window), window_(window), mapping_(mapping), settings_(settingsFolder),
      portList_(portList), linkLists_(std::move(linkLists)), tips_(tips) {
    setObjectName(QStringLiteral("networkPorts"));
    action_ = AddPartAction(
        window, this, [] { return NetworkPortsPart::tr("网络串口…"); }, "networkPortsAction",
        QKeySequence(Qt::CTRL | Qt::Key_N));
    FollowLanguage(window, this, [this] { retranslate(); });
    connect(action_, &QAction::triggered, this, &NetworkPortsPart::showDialog);
    connect(&portList_, &EditableComboBox::clicked, this, &NetworkPortsPart::showLinkListTips);
    apply(settings_.servers());
}

void NetworkPortsPart::showDialog() {
    if (!dialog_) {
        dialog_ = new NetworkPortsDialog(servers_, &window_);
        connect(dialog_, &NetworkPortsDialog::serversChanged, this, [this](const ServerMap& map) {
            apply(map);
            settings_.setServers(map);
            settings_.sync();
        });
    }
    dialog_->choosePort(portList_.listIndex() + 1);
    BringToFront(*dialog_);
}

void NetworkPortsPart::retranslate() {
    RebuildForLanguage(dialog_, [this] { showDialog(); });
    showLinkListTips();
}

void NetworkPortsPart::apply(const ServerMap& servers) {
    servers_ = servers;
    if (mapping_)
        mapping_->setServers(servers_);
    tips_.setServers(servers_);
    showLinkListTips();
}

const ServerAddress* NetworkPortsPart::serverOf(int port) const {
    const auto found = servers_.find(port);
    return found == servers_.end() ? nullptr : &found->second;
}

// A raw TCP server and a Modbus TCP gateway keep their own line settings: the lists beside
// the port say so.
QString NetworkPortsPart::linkListNote() const {
    const ServerAddress* server = serverOf(portList_.listIndex() + 1);
    if (!server)
        return {};
    switch (server->kind) {
    case ServerAddress::Kind::RawTcp:
        return tr("%1 经 TCP 原样转发：线路参数由串口服务器自己设置，"
                  "这里的设置不会送到线路上")
            .arg(server->text());
    case ServerAddress::Kind::ModbusTcp:
        return tr("%1 经 Modbus TCP 网关：线路参数由网关自己设置，这里的设置不会送到线路上")
            .arg(server->text());
    case ServerAddress::Kind::Rfc2217:
        break;
    }
    return {};
}

QString NetworkPortsPart::lineNote(int port) const {
    const ServerAddress* server = serverOf(port);
    if (!server || server->kind != ServerAddress::Kind::ModbusTcp)
        return {};
    return tr("COM%1 是 Modbus TCP 网关 %2：请求和回复以 Modbus TCP 传输，CRC 不在线路上，"
              "回复中显示的 CRC 由本软件算出")
        .arg(port)
        .arg(server->text());
}

QString NetworkPortsPart::refusalNote(int port, const JudgedCycle& cycle) const {
    const ServerAddress* server = serverOf(port);
    // A model's own address write goes to the sensor's unit id, which any gateway forwards.
    if (!server || server->kind != ServerAddress::Kind::ModbusTcp || !cycle.addressWrite ||
        cycle.address != kBroadcastAddress || cycle.verdict.fault != ReplyFault::NoReply)
        return {};
    return tr("有些 Modbus TCP 网关不转发广播（单元号 0），地址写入可能没有到达传感器：请在新地址"
              "读取一次确认，或经本地串口更改地址");
}

void NetworkPortsPart::showLinkListTips() {
    const QString tip = linkListNote();
    for (QWidget* list : linkLists_)
        list->setToolTip(tip);
}
