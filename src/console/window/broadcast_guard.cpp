// SPDX-License-Identifier: MIT
#include "window/broadcast_guard.h"

#include "sensor_model.h"

#include <QMessageBox>
#include <QPushButton>
#include <algorithm>

bool OtherModelsKnown(const QStringList& modelIds) {
    return std::any_of(modelIds.begin(), modelIds.end(),
                       [](const QString& id) { return id != QLatin1String(ModelId::kToolsOwn); });
}

BroadcastGuard::BroadcastGuard(QWidget& window, std::function<QStringList()> modelsOnBus)
    : QObject(&window), window_(window), modelsOnBus_(std::move(modelsOnBus)) {
    setObjectName(QStringLiteral("broadcastGuard"));
}

void BroadcastGuard::write(const SensorModel& model, std::function<void()> write) {
    if (model.addressChange.way != AddressChange::Way::Broadcast ||
        !OtherModelsKnown(modelsOnBus_())) {
        write();
        return;
    }
    auto* ask =
        new QMessageBox(QMessageBox::Warning, tr("模块地址更改"),
                        tr("线上有不同型号的传感器：广播（地址 0）写入会改写线上每个接受该写入的"
                           "传感器的地址，不只是要更改的那一个。仍要广播吗？"),
                        QMessageBox::NoButton, &window_);
    ask->setObjectName(QStringLiteral("broadcastQuestion"));
    ask->setAttribute(Qt::WA_DeleteOnClose);
    QPushButton* send = ask->addButton(tr("广播"), QMessageBox::AcceptRole);
    ask->setDefaultButton(ask->addButton(tr("取消"), QMessageBox::RejectRole));
    connect(ask, &QMessageBox::buttonClicked, this,
            [send, write = std::move(write)](QAbstractButton* button) {
                if (button == send)
                    write();
            });
    ask->open();
}
