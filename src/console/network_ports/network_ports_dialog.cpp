// SPDX-License-Identifier: MIT
#include "network_ports/network_ports_dialog.h"

#include "mbap_frame.h"
#include "tool_limits.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {
// The usual port of a device server's first serial line.
constexpr int kDefaultTcpPort = 4001;
constexpr int kHighestTcpPort = 65535;

int defaultTcpPort(ServerAddress::Kind kind) {
    return kind == ServerAddress::Kind::ModbusTcp ? Mbap::kTcpPort : kDefaultTcpPort;
}
} // namespace

NetworkPortsDialog::NetworkPortsDialog(const ServerMap& servers, QWidget* parent)
    : QDialog(parent), servers_(servers) {
    setObjectName(QStringLiteral("NetworkPortsDialog"));
    setWindowTitle(tr("网络串口"));
    port_ = new QComboBox;
    port_->setObjectName(QStringLiteral("serverPort"));
    for (int n = 1; n <= Limits::kPortCount; ++n)
        port_->addItem(QStringLiteral("COM%1").arg(n), n);
    host_ = new QLineEdit;
    host_->setObjectName(QStringLiteral("serverHost"));
    host_->setPlaceholderText(tr("主机名或 IP 地址"));
    tcpPort_ = new QSpinBox;
    tcpPort_->setObjectName(QStringLiteral("serverTcpPort"));
    tcpPort_->setRange(1, kHighestTcpPort);
    kind_ = new QComboBox;
    kind_->setObjectName(QStringLiteral("serverKind"));
    kind_->addItem(tr("RFC 2217（本软件设置服务器的线路参数）"),
                   static_cast<int>(ServerAddress::Kind::Rfc2217));
    kind_->addItem(tr("TCP 原样转发（线路参数由服务器自己设置）"),
                   static_cast<int>(ServerAddress::Kind::RawTcp));
    kind_->addItem(tr("Modbus TCP 网关（单元号即传感器地址，线路参数由网关自己设置）"),
                   static_cast<int>(ServerAddress::Kind::ModbusTcp));
    problem_ = new QLabel;
    problem_->setObjectName(QStringLiteral("serverProblem"));
    problem_->setStyleSheet(QStringLiteral("color: #a00000"));
    mappings_ = new QLabel;
    mappings_->setObjectName(QStringLiteral("serverMappings"));
    mappings_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);

    auto* form = new QFormLayout;
    form->addRow(tr("串口号(&P)："), port_);
    form->addRow(tr("服务器(&H)："), host_);
    form->addRow(tr("TCP 端口(&T)："), tcpPort_);
    form->addRow(tr("方式(&K)："), kind_);
    form->addRow(QString(), problem_);

    auto* buttons = new QDialogButtonBox;
    QPushButton* save = buttons->addButton(tr("保存映射(&S)"), QDialogButtonBox::ActionRole);
    save->setObjectName(QStringLiteral("saveServer"));
    QPushButton* remove = buttons->addButton(tr("删除映射(&D)"), QDialogButtonBox::ActionRole);
    remove->setObjectName(QStringLiteral("removeServer"));
    // A button of our own text: a standard one takes Qt's text back at a change of language.
    buttons->addButton(tr("关闭"), QDialogButtonBox::RejectRole);
    connect(save, &QPushButton::clicked, this, &NetworkPortsDialog::save);
    connect(remove, &QPushButton::clicked, this, &NetworkPortsDialog::remove);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(port_, &QComboBox::currentIndexChanged, this, &NetworkPortsDialog::showChosen);
    connect(kind_, &QComboBox::currentIndexChanged, this, &NetworkPortsDialog::kindChosen);

    auto* note = new QLabel(tr("映射后，串口列表中的这个串口号经网络连到串口服务器；"
                               "在下次打开串口时生效。"));
    note->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(mappings_);
    layout->addWidget(note);
    layout->addWidget(buttons);
    showChosen();
    listMappings();
}

void NetworkPortsDialog::choosePort(int port) {
    port_->setCurrentIndex(port_->findData(port));
}

void NetworkPortsDialog::showChosen() {
    const auto found = servers_.find(port_->currentData().toInt());
    const bool mapped = found != servers_.end();
    host_->setText(mapped ? found->second.host : QString());
    const ServerAddress::Kind kind = mapped ? found->second.kind : ServerAddress::Kind::Rfc2217;
    shownKind_ = kind;
    kind_->setCurrentIndex(kind_->findData(static_cast<int>(kind)));
    tcpPort_->setValue(mapped ? found->second.port : defaultTcpPort(kind));
    problem_->clear();
}

// A port still at the last kind's usual one follows the kind: 502 for a Modbus TCP gateway.
void NetworkPortsDialog::kindChosen() {
    const auto kind = static_cast<ServerAddress::Kind>(kind_->currentData().toInt());
    if (tcpPort_->value() == defaultTcpPort(shownKind_))
        tcpPort_->setValue(defaultTcpPort(kind));
    shownKind_ = kind;
}

void NetworkPortsDialog::save() {
    ServerAddress server;
    server.kind = static_cast<ServerAddress::Kind>(kind_->currentData().toInt());
    server.host = host_->text().trimmed();
    server.port = static_cast<quint16>(tcpPort_->value());
    // What the settings file can read back is what may be kept.
    if (!ServerAddress::Parse(server.text())) {
        problem_->setText(tr("服务器的主机名或地址无效"));
        host_->setFocus();
        return;
    }
    problem_->clear();
    servers_[port_->currentData().toInt()] = server;
    listMappings();
    emit serversChanged(servers_);
}

void NetworkPortsDialog::remove() {
    if (servers_.erase(port_->currentData().toInt()) == 0)
        return;
    showChosen();
    listMappings();
    emit serversChanged(servers_);
}

void NetworkPortsDialog::listMappings() {
    QStringList lines;
    for (const auto& [port, server] : servers_)
        lines << QStringLiteral("COM%1 → %2").arg(port).arg(server.text());
    mappings_->setText(lines.isEmpty() ? tr("尚无网络串口。") : lines.join(QLatin1Char('\n')));
}
