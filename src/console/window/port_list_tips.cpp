// SPDX-License-Identifier: MIT
#include "window/port_list_tips.h"

#include "port_names.h"
#include "port_status_text.h"
#include "serial_devices.h"
#include "window/editable_combo_box.h"

#include <QEvent>

PortListTips::PortListTips(EditableComboBox& list, const SerialDevices& devices,
                           const QString& folder)
    : QObject(&list), list_(list), devices_(devices), folder_(folder) {
    list_.installEventFilter(this);
    connect(&list_, &EditableComboBox::popupAboutToShow, this, &PortListTips::refresh);
}

bool PortListTips::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &list_ && event->type() == QEvent::ToolTip)
        refresh();
    return QObject::eventFilter(watched, event);
}

void PortListTips::refresh() {
    const auto existing = devices_.available();
    for (int index = 0; index < list_.count(); ++index) {
        const int port = index + 1;
        const auto server = servers_.find(port);
        if (server != servers_.end()) {
            list_.setItemData(index, tr("COM%1 → 网络串口 %2").arg(port).arg(server->second.text()),
                              Qt::ToolTipRole);
            continue;
        }
        const PortLocation location = LocatePort(port, folder_);
        list_.setItemData(
            index,
            PortToolTip(port, location.device, location.present, location.throughLink, existing),
            Qt::ToolTipRole);
    }
    list_.setToolTip(list_.itemData(list_.listIndex(), Qt::ToolTipRole).toString());
}
