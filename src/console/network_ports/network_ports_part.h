// SPDX-License-Identifier: MIT
#pragma once

#include "judged_cycle.h"
#include "server_address.h"
#include "tool_settings.h"

#include <QList>
#include <QObject>
#include <QPointer>

class EditableComboBox;
class NetworkPortsDialog;
class PortListTips;
class QAction;
class QWidget;

// Ports reached over the network (网络串口…, Ctrl+N): keeps the mapping of port numbers to
// serial device servers in the tool's settings file, hands it to the serial-port control,
// and says in the lists' tooltips where a port goes and when the link lists do not reach
// the line (raw TCP, a Modbus TCP gateway).
class NetworkPortsPart final : public QObject {
    Q_OBJECT
public:
    NetworkPortsPart(QWidget& window, PortMapping* mapping, const QString& settingsFolder,
                     EditableComboBox& portList, QList<QWidget*> linkLists, PortListTips& tips);

    QAction* action() const { return action_; }
    void showDialog();
    const ServerMap& servers() const { return servers_; }
    // What the link lists' tooltips say of the chosen port; empty when the lists reach the
    // line.
    QString linkListNote() const;
    // For the status box's tooltip while port is open: what kind of line it is, where the
    // frames the tool shows are not the ones on the wire (a Modbus TCP gateway).
    QString lineNote(int port) const;
    // What the way to port adds to a refusal: a gateway may not pass the address write on.
    QString refusalNote(int port, const JudgedCycle& cycle) const;

private:
    // A change of language: the dialog is built anew in it, the tooltips follow.
    void retranslate();
    void apply(const ServerMap& servers);
    const ServerAddress* serverOf(int port) const;
    void showLinkListTips();

    QWidget& window_;
    PortMapping* mapping_;
    ToolSettings settings_;
    EditableComboBox& portList_;
    QList<QWidget*> linkLists_;
    PortListTips& tips_;
    ServerMap servers_;
    QAction* action_ = nullptr;
    QPointer<NetworkPortsDialog> dialog_;
};
