// SPDX-License-Identifier: MIT
#include "port_router.h"

PortRouter::PortRouter(QString portFolder, QObject* parent)
    : SerialControl(parent), local_(std::move(portFolder)) {
    follow(local_);
}

// Only the chosen control speaks for the port.
void PortRouter::follow(SerialControl& control) {
    SerialControl* source = &control;
    connect(source, &SerialControl::OnComm, this, [this, source] {
        if (source == current_)
            emit OnComm();
    });
    connect(source, &SerialControl::portLost, this,
            [this, source](const QString& reason, const QString& device) {
                if (source == current_)
                    emit portLost(reason, device);
            });
    connect(source, &SerialControl::openFinished, this, [this, source](const CommResult& result) {
        if (source == current_)
            emit openFinished(result);
    });
}

void PortRouter::setServers(const ServerMap& servers) {
    servers_ = servers;
}

CommResult PortRouter::setCommPort(int port) {
    const auto mapped = servers_.find(port);
    const bool toServer = mapped != servers_.end();
    if (network_ && !(toServer && network_->server() == mapped->second))
        retireNetwork();
    if (toServer && !network_) {
        network_ = std::make_unique<NetworkSerialControl>(mapped->second);
        follow(*network_);
    }
    SerialControl* chosen = toServer ? static_cast<SerialControl*>(network_.get()) : &local_;
    if (chosen != &local_ && local_.portOpen())
        local_.setPortOpen(false);
    current_ = chosen;
    return current_->setCommPort(port);
}

// The connection goes at once, and the control once it has finished any signal it is in.
void PortRouter::retireNetwork() {
    if (!network_)
        return;
    if (current_ == network_.get())
        current_ = &local_;
    network_->disconnect(this);
    network_->hangUp();
    network_.release()->deleteLater();
}

CommResult PortRouter::setSettings(const QString& settings) {
    return current_->setSettings(settings);
}

QString PortRouter::appliedSettings() const {
    return current_ == &local_ ? local_.appliedSettings() : network_->appliedSettings();
}
