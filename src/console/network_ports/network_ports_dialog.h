// SPDX-License-Identifier: MIT
#pragma once

#include "server_address.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;

// 网络串口: maps a port number of the port list to a serial device server (host, TCP port,
// RFC 2217, raw TCP or a Modbus TCP gateway), or removes the mapping.
class NetworkPortsDialog final : public QDialog {
    Q_OBJECT
public:
    NetworkPortsDialog(const ServerMap& servers, QWidget* parent = nullptr);

    // Shows the mapping of port (1 to 10) for editing.
    void choosePort(int port);

signals:
    void serversChanged(const ServerMap& servers);

private:
    void showChosen();
    void kindChosen();
    void save();
    void remove();
    void listMappings();

    ServerMap servers_;
    QComboBox* port_;
    QLineEdit* host_;
    QSpinBox* tcpPort_;
    QComboBox* kind_;
    ServerAddress::Kind shownKind_ = ServerAddress::Kind::Rfc2217;
    QLabel* problem_;
    QLabel* mappings_;
};
