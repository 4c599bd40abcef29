// SPDX-License-Identifier: MIT
#include "frmmain.h"

#include "file_store.h"
#include "lamp.h"
#include "link_colour.h"
#include "link_settings.h"
#include "message_sink.h"
#include "port_names.h"
#include "port_status_text.h"
#include "receive_accumulator.h"
#include "recording_part.h"
#include "scan_launcher.h"
#include "serial_control.h"
#include "serial_devices.h"
#include "web_launcher.h"

#include <QCloseEvent>
#include <QDir>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>

frmmain::frmmain(const Services& services, QWidget* parent)
    : QWidget(parent), services_(services), messages_(services.messages) {
    line_ = new SerialLine(services_.port, messages_, services_.devices, this);
    createControls();
    setTabOrder();
    connectHandlers();
    createExtensions();
    Form_Load();
    Timer3.start();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect centred = rect();
        centred.moveCenter(screen->availableGeometry().center());
        move(centred.topLeft());
    }
}

frmmain::~frmmain() = default;

void frmmain::connectHandlers() {
    connect(Command1, &QPushButton::clicked, this, &frmmain::Command1_Click);
    connect(Combo1, &EditableComboBox::clicked, this, &frmmain::Combo1_Click);
    connect(Combo1, &EditableComboBox::popupAboutToShow, this, &frmmain::refreshPortToolTips);
    connect(Combo2, &EditableComboBox::clicked, this, &frmmain::Combo2_Click);
    connect(Command_OK3, &QPushButton::clicked, this, &frmmain::Command_OK3_Click);
    connect(Command_OK1, &QPushButton::clicked, this, &frmmain::Command_OK1_Click);
    connect(&Timer1, &QTimer::timeout, this, &frmmain::Timer1_Timer);
    connect(&Timer2, &QTimer::timeout, this, &frmmain::Timer2_Timer);
    connect(&Timer3, &QTimer::timeout, this, &frmmain::Timer3_Timer);
    line_->listen(this, [this](const QByteArray& received) { MSComm1_OnComm(received); });
    connect(line_, &SerialLine::shownOpenChanged, this, &frmmain::showPortState);
    connect(line_, &SerialLine::problem, this, &frmmain::showStatus);
    connect(line_, &SerialLine::lost, this, &frmmain::onPortLost);
}

QString frmmain::settingsFolder() const {
    return services_.settingsFolder.isEmpty() ? QDir::currentPath() : services_.settingsFolder;
}

QString frmmain::settingsPath() const {
    return QDir(settingsFolder()).filePath(QLatin1String(LinkSettingsFile::kFileName));
}

void frmmain::Form_Load() {
    QString readError;
    const auto content = ReadSmallFile(settingsPath(), LinkSettingsFile::kMaxBytes, &readError);
    const LinkSettings settings = ReadLinkSettings(content, readError);

    Combo1->setText(QStringLiteral("COM") + settings.line1);
    Combo2->setText(settings.line2);
    Combo3->setText(QStringLiteral("无校验"));
    Combo4->setText(QStringLiteral("8"));
    Combo5->setText(QStringLiteral("1"));
    Combo1->setListIndex(settings.portListIndex);

    QStringList addresses;
    addresses.reserve(254);
    for (int i = 0; i < 254; ++i)
        addresses << QString::number(i + 1);
    Combo_Addr(0)->addItems(addresses);
    Combo_Addr(2)->addItems(addresses);
    Combo_Addr(0)->setText(QStringLiteral("1"));
    Combo_Addr(2)->setText(QStringLiteral("1"));

    if (!settings.fallbackReason.isEmpty())
        setStatus(settings.fallbackReason);
    // The port tooltips are made when first wanted: asking the system for its serial
    // devices costs more than the rest of the start.
    Combo1->installEventFilter(this);
}

void frmmain::Form_QueryUnload() {
    if (unloaded_)
        return;
    unloaded_ = true;
    Timer1.stop();
    Timer2.stop();
    Timer3.stop();
    recording_->stop();
    line_->closePort();

    QString error;
    const QByteArray content = FormatLinkSettings(Combo1->listIndex() + 1, Combo2->text());
    if (!WriteFileAtomically(settingsPath(), content, &error))
        messages_.show(tr("无法保存设置文件 com.txt：%1").arg(error));
}

void frmmain::closeEvent(QCloseEvent* event) {
    Form_QueryUnload();
    event->accept();
}

void frmmain::Command1_Click() {
    line_->toggleOpen(choice());
}

void frmmain::Combo1_Click() {
    line_->selectPort(choice().port);
}

void frmmain::refreshPortToolTips() {
    const auto existing = services_.devices.available();
    for (int index = 0; index < Combo1->count(); ++index) {
        const int port = index + 1;
        const PortLocation location = LocatePort(port, settingsFolder());
        Combo1->setItemData(
            index,
            PortToolTip(port, location.device, location.present, location.throughLink, existing),
            Qt::ToolTipRole);
    }
    Combo1->setToolTip(Combo1->itemData(Combo1->listIndex(), Qt::ToolTipRole).toString());
}

void frmmain::Combo2_Click() {
    line_->closeForNewBaud();
}

void frmmain::MSComm1_OnComm(const QByteArray& received) {
    const qsizetype before = ReceiveHex.size();
    AccumulateReceived(ReceiveHex, received);
    if (ReceiveHex.size() > before)
        emit bytesReceived();
}

void frmmain::onPortLost(const QString& reason, const QString& device) {
    scanLauncher_->stopScan();
    if (portShownOpen())
        lineClosed(PortProblem::Lost, {CommError::kIoFailure, reason, device}, tr("串口已断开！"));
}

void frmmain::Timer3_Timer() {
    QPalette palette = Label9->palette();
    palette.setColor(QPalette::WindowText, NextLinkColour());
    Label9->setPalette(palette);
}

void frmmain::Label9_Click() {
    if (!services_.web.open(Label9->text()))
        setStatus(tr("无法打开浏览器：%1").arg(Label9->text()));
}

bool frmmain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Combo1 && event->type() == QEvent::ToolTip)
        refreshPortToolTips();
    if (watched == Label9 && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        Label9_Click();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

// Port state as the window shows it.

SerialLine::Choice frmmain::choice() const {
    return {static_cast<qint16>(Combo1->listIndex() + 1), Combo2->text(), Combo3->text(),
            Combo4->text(), Combo5->text()};
}

void frmmain::showPortState(bool open) {
    Command1->setText(open ? PortCaption::kClose : PortCaption::kOpen);
    Shape1->setFillColor(open ? QColor(0, 255, 0) : QColor(0, 0, 0));
    if (open)
        emit portOpened();
}

// The box shows one line; its tooltip always holds the whole text and the system's words.
void frmmain::showStatus(const StatusText& status) {
    status_ = status;
    Message_Show->setPlainText(status.line);
    showStatusToolTip();
}

// The status, the system's words and the state of the record.
void frmmain::showStatusToolTip() {
    QStringList tip;
    for (const QString& part : {status_.line, status_.detail, recording_->note()}) {
        if (!part.isEmpty())
            tip << part;
    }
    Message_Show->setToolTip(tip.join(QLatin1Char('\n')));
}
