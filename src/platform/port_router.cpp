// SPDX-License-Identifier: MIT
#include "port_router.h"

PortRouter::PortRouter(QString portFolder, QObject* parent)
    : SerialControl(parent), local_(std::move(portFolder)) {
    // Only the chosen control speaks for the port.
    for (SerialControl* control :
         {static_cast<SerialControl*>(&local_), static_cast<SerialControl*>(&network_)}) {
        connect(control, &SerialControl::OnComm, this, [this, control] {
            if (control == current_)
                emit OnComm();
        });
        connect(control, &SerialControl::portLost, this,
                [this, control](const QString& reason, const QString& device) {
                    if (control == current_)
                        emit portLost(reason, device);
                });
    }
}

void PortRouter::setServers(const ServerMap& servers) {
    servers_ = servers;
}

CommResult PortRouter::setCommPort(int port) {
    SerialControl* chosen = &local_;
    const auto mapped = servers_.find(port);
    if (mapped != servers_.end()) {
        network_.setServer(mapped->second);
        chosen = &network_;
    }
    if (chosen != current_ && current_->portOpen())
        current_->setPortOpen(false);
    current_ = chosen;
    return current_->setCommPort(port);
}

CommResult PortRouter::setSettings(const QString& settings) {
    return current_->setSettings(settings);
}

QString PortRouter::appliedSettings() const {
    return current_ == &network_ ? network_.appliedSettings() : local_.appliedSettings();
}
