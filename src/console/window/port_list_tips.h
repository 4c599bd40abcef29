// SPDX-License-Identifier: MIT
#pragma once

#include "server_address.h"

#include <QObject>
#include <QString>

class EditableComboBox;
class SerialDevices;

// The port list's tooltips: which device each port number reaches and what the system
// knows of it. Made when first wanted (hover or drop-down), since asking the system for
// its serial devices costs more than the rest of the start.
class PortListTips final : public QObject {
    Q_OBJECT
public:
    PortListTips(EditableComboBox& list, const SerialDevices& devices, const QString& folder);

    void refresh();
    // Ports mapped to serial device servers: their tooltips name the server.
    void setServers(const ServerMap& servers) { servers_ = servers; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    EditableComboBox& list_;
    const SerialDevices& devices_;
    QString folder_;
    ServerMap servers_;
};
