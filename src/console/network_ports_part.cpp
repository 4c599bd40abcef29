// SPDX-License-Identifier: MIT
#include "network_ports_part.h"

#include "editable_combo_box.h"
#include "network_ports_dialog.h"
#include "part_actions.h"
#include "port_list_tips.h"

#include <QAction>

NetworkPortsPart::NetworkPortsPart(QWidget& window, PortMapping* mapping,
                                   const QString& settingsFolder, EditableComboBox& portList,
                                   QList<QWidget*> linkLists, PortListTips& tips)
    : QObject(&window), window_(window), mapping_(mapping), settings_(settingsFolder),
      portList_(portList), linkLists_(std::move(linkLists)), tips_(tips) {
    setObjectName(QStringLiteral("networkPorts"));
    action_ = AddPartAction(window, this, "NetworkPortsPart",
                            QT_TRANSLATE_NOOP("NetworkPortsPart", "网络串口…"),
                            "networkPortsAction", QKeySequence(Qt::CTRL | Qt::Key_N));
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

// A raw TCP server keeps its own line settings: the lists beside the port say so.
QString NetworkPortsPart::linkListNote() const {
    const auto found = servers_.find(portList_.listIndex() + 1);
    const bool raw = found != servers_.end() && found->second.kind == ServerAddress::Kind::RawTcp;
    return raw ? tr("%1 经 TCP 原样转发：线路参数由串口服务器自己设置，"
                    "这里的设置不会送到线路上")
                     .arg(found->second.text())
               : QString();
}

void NetworkPortsPart::showLinkListTips() {
    const QString tip = linkListNote();
    for (QWidget* list : linkLists_)
        list->setToolTip(tip);
}
