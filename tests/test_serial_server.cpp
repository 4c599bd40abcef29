// SPDX-License-Identifier: MIT
// A port mapped to a serial device server: ser2net on 127.0.0.1 in front of the virtual
// sensor's pseudo-terminal, reached over RFC 2217 and over raw TCP, or pymodbus there as a
// Modbus TCP gateway.
#include "gateway_server.h"
#include "line_rig.h"
#include "rate_change/rate_change_dialog.h"
#include "scan/scan_dialog.h"
#include "serial_server.h"
#include "statistics/statistics_window.h"
#include "tcp_peer.h"
#include "tool_settings.h"
#include "watch/bus_watch_part.h"
#include "watch/bus_watch_window.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTcpSocket>
#include <QTest>
#include <csignal>

namespace {
constexpr int kMappedPort = 4;

// The virtual sensor on COM1 of the rig's folder, ser2net in front of it, and the tool's
// COM4 mapped to one of ser2net's accepters.
// A Modbus TCP gateway stands where ser2net would, the units in unitsWithoutPath refused.
struct ServerRig : SensorRig {
    bool start(const QStringList& sensorOptions, ServerAddress::Kind kind,
               const QList<int>& unitsWithoutPath = {}) {
        if (!sensor.start(sensorOptions))
            return false;
        const QString device = QFileInfo(sensor.linkPath()).canonicalFilePath();
        if (kind == ServerAddress::Kind::ModbusTcp) {
            if (!gateway.start(device, unitsWithoutPath))
                return false;
            map(kind, gateway.port());
            return true;
        }
        if (!server.start(device))
            return false;
        map(kind, kind == ServerAddress::Kind::Rfc2217 ? server.rfc2217Port() : server.tcpPort());
        return true;
    }
    // The virtual sensor behind its own RFC 2217 endpoint, which is told the parity as well
    // as the rate: a frame at another format than a sensor's is noise to it.
    bool startBehindOwnEndpoint(const QStringList& sensorOptions) {
        if (!sensor.start(sensorOptions +
                          QStringList{QStringLiteral("--rfc2217"), QStringLiteral("0")}))
            return false;
        map(ServerAddress::Kind::Rfc2217, static_cast<quint16>(sensor.rfc2217Port()));
        return true;
    }
    // 更改波特率… from action (the window's, or a watch row's): the dialog's rate accepted,
    // after noting the rates it offered and the one it chose by itself.
    void changeRate(QAction* action, const QString& baud) {
        action->trigger();
        auto* dialog = w().findChild<RateChangeDialog*>();
        QVERIFY(dialog);
        auto* rates = dialog->findChild<QComboBox*>(QStringLiteral("newRate"));
        offeredRates.clear();
        for (int i = 0; i < rates->count(); ++i)
            offeredRates << rates->itemText(i);
        preselectedRate = rates->currentText();
        rates->setCurrentText(baud);
        dialog->findChild<QPushButton*>(QStringLiteral("rateAccept"))->click();
    }
    // The power-cycle question answered (确认 or 取消); after powering the sensors off and on,
    // if asked.
    void confirmPowerCycle(bool cycled, QMessageBox::ButtonRole answer = QMessageBox::AcceptRole) {
        QMessageBox* ask = nullptr;
        QTRY_VERIFY((ask = w().findChild<QMessageBox*>(QStringLiteral("ratePowerCycleQuestion"))));
        if (cycled)
            QVERIFY(sensor.powerCycle());
        const QList<QAbstractButton*> buttons = ask->buttons();
        const auto button = std::find_if(buttons.begin(), buttons.end(),
                                         [&](auto* b) { return ask->buttonRole(b) == answer; });
        QVERIFY(button != buttons.end());
        (*button)->click();
    }
    QStringList offeredRates;
    QString preselectedRate;
    QString why() const { return server.why() + gateway.why(); }
    void map(ServerAddress::Kind kind, quint16 tcpPort,
             const QString& host = QStringLiteral("127.0.0.1")) {
        ToolSettings settings(folder);
        settings.setServers({{kMappedPort, {kind, host, tcpPort}}});
        settings.sync();
        writeComTxt(QByteArray::number(kMappedPort) + "\r\n9600\r\n");
        startWindow();
    }
    // Clicks 打开串口 / 关闭串口 and waits while an open is under way.
    void clickOpen() {
        ui().Command1->click();
        QVERIFY(QTest::qWaitFor([this] { return !w().line().opening(); },
                                NetworkSerialControl::kConnectTimeoutMs + 2000));
    }
    SerialServer server;
    GatewayServer gateway;
};

// A connection held open to 127.0.0.1:port, as another client would.
struct OtherClient {
    explicit OtherClient(quint16 port) {
        socket.connectToHost(QHostAddress::LocalHost, port);
        connected = socket.waitForConnected(3000);
    }
    // ser2net has given it the line once it greets it.
    bool greeted() const { return socket.bytesAvailable() > 0; }
    QTcpSocket socket;
    bool connected = false;
};

// The system's default, which ends a program that writes to a connection the other end
// has reset. Qt Network sets it aside for the whole process once its sockets are in use
// (the test's own servers' included); the tool must not depend on that.
void restoreDefaultSigpipe() {
    std::signal(SIGPIPE, SIG_DFL);
}
} // namespace

class TestSerialServer : public QObject {
    Q_OBJECT
private slots:
    void init();
    void pollsThroughEitherKind_data();
    void pollsThroughEitherKind();
    void rateSetThroughRfc2217ReachesTheLine();
    void serverGoneAndBack();
    void faultsInTheToolsOwnTerms();
    void serverHangingUpWhileTheToolWrites_data();
    void serverHangingUpWhileTheToolWrites();
    void gatewayScansWatchesAndSpeaksForSilentUnits();
    void ownEndpointScanFindsAn8E1SensorAmong8N1Ones();
    void ownEndpointBusMovedToOneRate();
    void ownEndpointCorrectionsWrittenAndReadBack();
};

// The sim's own endpoint needs neither; the gateway's cases say so in their names and need
// pymodbus; the others need ser2net.
void TestSerialServer::init() {
    if (QByteArray(QTest::currentTestFunction()).startsWith("ownEndpoint"))
        return;
    const bool gateway = QByteArray(QTest::currentTestFunction()).startsWith("gateway") ||
                         QByteArray(QTest::currentDataTag()) == "Modbus TCP";
    if (gateway && !GatewayServer::Installed())
        QSKIP("pymodbus is not installed (scripts/deps installs python3-pymodbus)");
    if (!gateway && !SerialServer::Installed())
        QSKIP("ser2net is not installed (apt-get install ser2net)");
}

void TestSerialServer::pollsThroughEitherKind_data() {
    QTest::addColumn<ServerAddress::Kind>("kind");
    QTest::newRow("RFC 2217") << ServerAddress::Kind::Rfc2217;
    QTest::newRow("raw TCP") << ServerAddress::Kind::RawTcp;
    QTest::newRow("Modbus TCP") << ServerAddress::Kind::ModbusTcp;
}

// The poll as on a local port, every 700 ms, replies and readings included; the port
// list's tooltip names the server, and for raw TCP the link lists say they do not reach
// the line.
void TestSerialServer::pollsThroughEitherKind() {
    QFETCH(ServerAddress::Kind, kind);
    ServerRig rig;
    QVERIFY2(rig.start({QStringLiteral("--turnaround"), QStringLiteral("2")}, kind),
             qPrintable(rig.why()));
    QCOMPARE(rig.ui().Combo2->toolTip().isEmpty(), kind == ServerAddress::Kind::Rfc2217);
    rig.clickOpen();
    QCOMPARE(rig.ui().Command1->text(), PortCaption::Close());
    rig.ui().Command_OK3->click();
    for (int cycle = 0; cycle < 4; ++cycle)
        QCOMPARE(rig.nextVerdict(), kGood);
    QVERIFY(rig.ui().Text2->toPlainText().startsWith(QStringLiteral("01 03 04 ")));
    QVERIFY(rig.ui().AI_SHOW(0)->text().endsWith(QStringLiteral("℃")));
    const auto requests = rig.sensor.frames(QStringLiteral("RX"));
    QVERIFY(requests.size() >= 4);
    // A gateway in Python forwards each request a few milliseconds late, some more than
    // others on a loaded machine: each gap may stray, their mean is the tool's own cadence.
    const std::size_t last = requests.size() - 1;
    for (std::size_t i = last - 2; i <= last; ++i) {
        const double spacing = (requests[i].seconds - requests[i - 1].seconds) * 1000;
        QVERIFY2(spacing > 620 && spacing < 780, qPrintable(QString::number(spacing)));
    }
    const double mean = (requests[last].seconds - requests[last - 3].seconds) * 1000 / 3;
    QVERIFY2(mean > 685 && mean < 715, qPrintable(QString::number(mean)));
    rig.ui().Command_OK3->click();
    rig.clickOpen();
    QCOMPARE(rig.ui().Command1->text(), PortCaption::Open());
    QVERIFY(rig.messages.shown.isEmpty());
}

// The sensor answers only at 4800 Bd: through RFC 2217 the link lists' rate reaches the
// line, for the poll and for a scan across rates.
void TestSerialServer::rateSetThroughRfc2217ReachesTheLine() {
    ServerRig rig;
    QVERIFY2(
        rig.start({QStringLiteral("--baud"), QStringLiteral("4800")}, ServerAddress::Kind::Rfc2217),
        qPrintable(rig.server.why()));
    rig.clickOpen();
    rig.ui().Command_OK3->click();
    QCOMPARE(rig.nextVerdict(), kBad);
    rig.ui().Command_OK3->click();
    rig.ui().Combo2->setListIndex(0); // 4800 closes the port; the next open uses it
    rig.clickOpen();
    rig.ui().Command_OK3->click();
    QCOMPARE(rig.nextVerdict(), kGood);
    rig.ui().Command_OK3->click();

    rig.ui().Combo2->setListIndex(1); // back to 9600
    rig.clickOpen();
    rig.w().findChild<QAction*>(QStringLiteral("scanAction"))->trigger();
    auto* dialog = rig.w().findChild<ScanDialog*>();
    QVERIFY(dialog);
    for (const char* rate : {"rate4800", "rate9600", "rate115200"})
        dialog->findChild<QCheckBox*>(QLatin1String(rate))->setChecked(true);
    dialog->findChild<QSpinBox*>(QStringLiteral("lastAddress"))->setValue(3);
    dialog->findChild<QPushButton*>(QStringLiteral("start"))->click();
    QTRY_VERIFY_WITH_TIMEOUT(!dialog->scanning(), 10000);
    auto* results = dialog->findChild<QTableWidget*>(QStringLiteral("results"));
    QCOMPARE(results->rowCount(), 1);
    QCOMPARE(results->item(0, 0)->text(), QStringLiteral("1"));
    QCOMPARE(results->item(0, 1)->text(), QStringLiteral("4800"));
}

// The server restarted under acquisition: one message, the port shown closed, acquisition
// stopped; while it is away the open says the port is missing and why; once it is back
// the port opens and polls again.
void TestSerialServer::serverGoneAndBack() {
    ServerRig rig;
    QVERIFY2(rig.start({}, ServerAddress::Kind::Rfc2217), qPrintable(rig.server.why()));
    rig.clickOpen();
    rig.ui().Command_OK3->click();
    QCOMPARE(rig.nextVerdict(), kGood);
    QVERIFY(rig.server.stop());
    QTRY_COMPARE_WITH_TIMEOUT(rig.messages.shown, QStringList{QStringLiteral("串口已断开！")},
                              3000);
    QCOMPARE(rig.ui().Command1->text(), PortCaption::Open());
    QCOMPARE(rig.ui().Command_OK3->text(), Caption::Start());

    rig.clickOpen();
    QCOMPARE(rig.messages.shown.last(), QStringLiteral("串口不存在！"));
    QVERIFY2(rig.ui().Message_Show->toolTip().contains(QStringLiteral("rfc2217 127.0.0.1")),
             qPrintable(rig.ui().Message_Show->toolTip()));

    QVERIFY(rig.server.start(QFileInfo(rig.sensor.linkPath()).canonicalFilePath()));
    rig.clickOpen();
    QCOMPARE(rig.ui().Command1->text(), PortCaption::Close());
    rig.ui().Command_OK3->click();
    QCOMPARE(rig.nextVerdict(), kGood);
}

// A server that serves another client says the port is busy; nothing listening says it is
// missing; a server that never speaks does not freeze the window while the tool waits.
void TestSerialServer::faultsInTheToolsOwnTerms() {
    ServerRig rig;
    QVERIFY2(rig.start({}, ServerAddress::Kind::Rfc2217), qPrintable(rig.server.why()));
    {
        OtherClient other(rig.server.rfc2217Port());
        QVERIFY(other.connected);
        QTRY_VERIFY(other.greeted());
        rig.clickOpen();
        QCOMPARE(rig.messages.shown, QStringList{QStringLiteral("串口已打开！")});
        QCOMPARE(rig.ui().Command1->text(), PortCaption::Open());
    }

    // Nothing listening: the server and the network's reason, no device file nor the link
    // that would make one, though the system has serial devices.
    rig.devices.devices = {{QStringLiteral("/dev/ttyS0"), {}, {}, {}, {}}};
    const quint16 unused = FreeTcpPort();
    rig.map(ServerAddress::Kind::Rfc2217, unused);
    rig.ui().Command1->click();
    QTRY_COMPARE(rig.messages.shown.size(), 2);
    QCOMPARE(rig.messages.shown.last(), QStringLiteral("串口不存在！"));
    QVERIFY(!rig.messages.reasons.last().isEmpty());
    QVERIFY2(rig.status().contains(QStringLiteral("rfc2217 127.0.0.1:%1").arg(unused)) &&
                 rig.status().contains(rig.messages.reasons.last()) &&
                 !rig.status().contains(QStringLiteral("/dev/")) &&
                 !rig.status().contains(QStringLiteral("ln -s")),
             qPrintable(rig.status()));
    QCOMPARE(rig.ui().Command1->text(), PortCaption::Open());

    // A server that takes the connection and never speaks RFC 2217: the click returns at
    // once, the window runs while the tool waits, and the box says why.
    TcpPeer mute;
    rig.map(ServerAddress::Kind::Rfc2217, mute.serverPort());
    int ticks = 0;
    QTimer heartbeat;
    QObject::connect(&heartbeat, &QTimer::timeout, [&ticks] { ++ticks; });
    heartbeat.start(20);
    rig.ui().Command1->click();
    QCOMPARE(rig.messages.shown.size(), 2);
    QTRY_COMPARE_WITH_TIMEOUT(rig.messages.shown.size(), 3, 5000);
    QVERIFY2(ticks >= 20, qPrintable(QString::number(ticks))); // the loop ran while it waited
    QCOMPARE(rig.messages.shown.last(), QStringLiteral("串口不存在！"));
    QVERIFY2(rig.messages.reasons.last().contains(QStringLiteral("RFC 2217")),
             qPrintable(rig.messages.reasons.last()));
    QVERIFY(rig.ui().Message_Show->toolTip().contains(QStringLiteral("RFC 2217")));
    QCOMPARE(rig.ui().Command1->text(), PortCaption::Open());
}

void TestSerialServer::serverHangingUpWhileTheToolWrites_data() {
    QTest::addColumn<TcpPeer::Manner>("manner");
    QTest::addColumn<ServerAddress::Kind>("kind");
    QTest::newRow("at once, RFC 2217")
        << TcpPeer::Manner::HangUpAtOnce << ServerAddress::Kind::Rfc2217;
    QTest::newRow("mid negotiation, RFC 2217")
        << TcpPeer::Manner::HangUpMidNegotiation << ServerAddress::Kind::Rfc2217;
    QTest::newRow("at once, raw TCP")
        << TcpPeer::Manner::HangUpAtOnce << ServerAddress::Kind::RawTcp;
    QTest::newRow("at once, Modbus TCP")
        << TcpPeer::Manner::HangUpAtOnce << ServerAddress::Kind::ModbusTcp;
}

// A server that takes each connection and hangs up while the tool is still writing its
// negotiation, again and again: the tool lives on and says the port is not there.
void TestSerialServer::serverHangingUpWhileTheToolWrites() {
    QFETCH(TcpPeer::Manner, manner);
    QFETCH(ServerAddress::Kind, kind);
    TcpPeer server(manner);
    server.hungUp = restoreDefaultSigpipe;
    ServerRig rig;
    rig.map(kind, server.serverPort());
    constexpr int kAttempts = 12;
    for (int attempt = 1; attempt <= kAttempts; ++attempt) {
        rig.ui().Command1->click();
        QTRY_COMPARE(rig.messages.shown.size(), attempt);
        QCOMPARE(rig.messages.shown.last(), QStringLiteral("串口不存在！"));
        QCOMPARE(rig.ui().Command1->text(), PortCaption::Open());
    }
    QCOMPARE(server.accepted, kAttempts);
}

// Sensors at 3 and 5 behind a Modbus TCP gateway that has no path to unit 9: the poll reads
// them with the CRC computed on this side; the gateway's 0B for a silent unit and its 0A are
// said in the status and counted in the statistics; the scan finds 3 and 5 and counts the
// rest as the gateway said; 全部监视 watches both; the broadcast address write is not
// passed on, and the status says a gateway may do that.
void TestSerialServer::gatewayScansWatchesAndSpeaksForSilentUnits() {
    ServerRig rig;
    QVERIFY2(rig.start({QStringLiteral("--address"), QStringLiteral("3,5"),
                        QStringLiteral("--temperature"), QStringLiteral("218")},
                       ServerAddress::Kind::ModbusTcp, {9}),
             qPrintable(rig.why()));
    rig.clickOpen();
    QCOMPARE(rig.ui().Command1->text(), PortCaption::Close());
    QVERIFY(rig.ui().Message_Show->toolTip().contains(QStringLiteral("CRC 不在线路上")));
    rig.w().findChild<QAction*>(QStringLiteral("statisticsAction"))->trigger();
    auto* statistics = rig.w().findChild<StatisticsWindow*>();
    QVERIFY(statistics);

    const auto pollOnce = [&rig](const char* address) {
        rig.ui().Combo_Addr(2)->setText(QLatin1String(address));
        rig.ui().Command_OK3->click();
        const QString verdict = rig.nextVerdict();
        rig.ui().Command_OK3->click();
        return verdict;
    };
    QCOMPARE(pollOnce("3"), kGood);
    QCOMPARE(rig.ui().AI_SHOW(0)->text(), QStringLiteral("21.8℃"));
    const QString reply = rig.ui().Text2->toPlainText();
    QVERIFY2(reply.startsWith(QStringLiteral("03 03 04 00 DA ")) && reply.size() == 27,
             qPrintable(reply));
    QCOMPARE(pollOnce("4"), kBad);
    QVERIFY2(rig.ui().Message_Show->toolTip().contains(
                 QStringLiteral("网关报告目标设备没有回应（异常码 0B）")),
             qPrintable(rig.ui().Message_Show->toolTip()));
    QCOMPARE(pollOnce("9"), kBad);
    QVERIFY2(
        rig.ui().Message_Show->toolTip().contains(QStringLiteral("网关路径不可用（异常码 0A）")),
        qPrintable(rig.ui().Message_Show->toolTip()));
    QCOMPARE(statistics->value(StatisticsWindow::Row::Accepted), QStringLiteral("1"));
    QCOMPARE(statistics->value(ReplyFault::NoReply), QStringLiteral("1（0B 码 1 次）"));
    QCOMPARE(statistics->value(ReplyFault::GatewayRefused), QStringLiteral("1（0A 码 1 次）"));

    rig.w().findChild<QAction*>(QStringLiteral("scanAction"))->trigger();
    auto* dialog = rig.w().findChild<ScanDialog*>();
    QVERIFY(dialog);
    dialog->findChild<QSpinBox*>(QStringLiteral("lastAddress"))->setValue(9);
    dialog->findChild<QSpinBox*>(QStringLiteral("timeout"))->setValue(600);
    dialog->findChild<QPushButton*>(QStringLiteral("start"))->click();
    QTRY_VERIFY_WITH_TIMEOUT(!dialog->scanning(), 15000);
    auto* results = dialog->findChild<QTableWidget*>(QStringLiteral("results"));
    QCOMPARE(results->rowCount(), 2);
    QCOMPARE(results->item(0, 0)->text(), QStringLiteral("3"));
    QCOMPARE(results->item(1, 0)->text(), QStringLiteral("5"));
    const QString summary = dialog->findChild<QLabel*>(QStringLiteral("summary"))->text();
    for (const char* part : {"网关报告 6 个地址的设备没有回应（异常码 0B）",
                             "网关拒绝了 1 个地址：网关路径不可用（异常码 0A）"})
        QVERIFY2(summary.contains(QString::fromUtf8(part)), qPrintable(summary));
    dialog->findChild<QPushButton*>(QStringLiteral("watchAll"))->click();
    auto* part = rig.w().findChild<BusWatchPart*>();
    QVERIFY(part->running());
    QCOMPARE(part->tally().sensors().size(), size_t(2));
    QTRY_VERIFY_WITH_TIMEOUT(
        part->tally().sensors().at(0).good >= 2 && part->tally().sensors().at(1).good >= 2, 5000);
    QCOMPARE(part->tally().sensors().at(1).temperature->caption, QStringLiteral("21.8℃"));
    part->stop();

    rig.ui().Combo_Addr(0)->setText(QStringLiteral("7"));
    rig.ui().Command_OK1->click();
    QCOMPARE(rig.nextVerdict(), kBad);
    QVERIFY2(rig.ui().Message_Show->toolTip().contains(QStringLiteral("不转发广播（单元号 0）")),
             qPrintable(rig.ui().Message_Show->toolTip()));
    QVERIFY(rig.messages.shown.isEmpty());
}

// Two sensors at 9600 8N1 and one at 9600 8E1: the scan across both formats finds each
// once, at its own format, which only a line that carries parity can tell.
void TestSerialServer::ownEndpointScanFindsAn8E1SensorAmong8N1Ones() {
    ServerRig rig;
    QVERIFY(rig.startBehindOwnEndpoint(
        {QStringLiteral("--bus"), QStringLiteral("3:r414a01,6:ee210,9:t10s-b")}));
    rig.clickOpen();
    rig.w().findChild<QAction*>(QStringLiteral("scanAction"))->trigger();
    auto* dialog = rig.w().findChild<ScanDialog*>();
    QVERIFY(dialog);
    dialog->findChild<QCheckBox*>(QStringLiteral("format8E1"))->setChecked(true);
    dialog->findChild<QSpinBox*>(QStringLiteral("lastAddress"))->setValue(10);
    dialog->findChild<QPushButton*>(QStringLiteral("start"))->click();
    QTRY_VERIFY_WITH_TIMEOUT(!dialog->scanning(), 20000);
    auto* results = dialog->findChild<QTableWidget*>(QStringLiteral("results"));
    QStringList found;
    for (int row = 0; row < results->rowCount(); ++row)
        found << QStringList{results->item(row, 0)->text(), results->item(row, 1)->text(),
                             results->item(row, 2)->text()}
                     .join(QLatin1Char(' '));
    std::sort(found.begin(), found.end());
    QCOMPARE(found, (QStringList{QStringLiteral("3 9600 8N1"), QStringLiteral("6 9600 8E1"),
                                 QStringLiteral("9 9600 8N1")}));
}

// A bus of a sensor that takes a new rate at once and one that takes it after a power
// cycle, moved from the watch's rows: without the power cycle the second stays at 9600, so
// the line goes back there. The second moved alone (the window's own 更改波特率…) with the
// power cycle: the window takes 19200 and the watch finds both there.
void TestSerialServer::ownEndpointBusMovedToOneRate() {
    ServerRig rig;
    QVERIFY(rig.startBehindOwnEndpoint(
        {QStringLiteral("--bus"), QStringLiteral("2:xy-md02,4:r414a01")}));
    rig.clickOpen();
    QVERIFY(rig.chooseModel(QStringLiteral("xy-md02"), false));
    auto* watch = rig.w().findChild<BusWatchPart*>();
    const SensorCatalogue& catalogue = rig.w().findChild<SensorModelPart*>()->catalogue();
    const QList<SensorModel> models{*catalogue.find(QStringLiteral("xy-md02")),
                                    *catalogue.find(QStringLiteral("r414a01"))};
    QVERIFY(watch->watch({2, 4}, 200, {}, models));
    QTRY_VERIFY_WITH_TIMEOUT(watch->tally().sensors().at(1).good >= 1, 5000);
    watch->showWindow();
    rig.changeRate(watch->window()->findChild<QAction*>(QStringLiteral("allRateChange")),
                   QStringLiteral("19200"));
    // Only the rates both models have codes for; the first that is not the line's own chosen.
    QCOMPARE(rig.offeredRates, (QStringList{QStringLiteral("9600"), QStringLiteral("19200")}));
    QCOMPARE(rig.preselectedRate, QStringLiteral("19200"));
    QVERIFY(!watch->running());
    rig.confirmPowerCycle(false);
    QTRY_COMPARE(rig.messages.shown.size(), 1);
    QCOMPARE(rig.messages.shown.last(), QStringLiteral("波特率没有全部更改，串口回到 9600 波特。"));
    QCOMPARE(rig.messages.reasons.last(), QStringLiteral("地址 2 在 19200 波特时没有回答\n"
                                                         "地址 4 已在 19200 波特回答"));
    QCOMPARE(rig.ui().Combo2->text(), QStringLiteral("9600"));
    rig.ui().Combo_Addr(2)->setText(QStringLiteral("2"));
    rig.ui().Command_OK3->click();
    QCOMPARE(rig.nextVerdict(), kGood); // the line is back at the old rate
    rig.ui().Command_OK3->click();

    // 取消 at the power-cycle question: the sensor written is reported silent, and the line
    // stays at the old rate.
    rig.changeRate(rig.w().findChild<QAction*>(QStringLiteral("rateChangeAction")),
                   QStringLiteral("14400"));
    QCOMPARE(rig.preselectedRate, QStringLiteral("14400"));
    rig.confirmPowerCycle(false, QMessageBox::RejectRole);
    QTRY_COMPARE(rig.messages.shown.size(), 2);
    QCOMPARE(rig.messages.shown.last(), QStringLiteral("波特率没有全部更改，串口回到 9600 波特。"));
    QCOMPARE(rig.messages.reasons.last(), QStringLiteral("地址 2 在 14400 波特时没有回答"));
    rig.ui().Command_OK3->click();
    QCOMPARE(rig.nextVerdict(), kGood);
    rig.ui().Command_OK3->click();

    rig.changeRate(rig.w().findChild<QAction*>(QStringLiteral("rateChangeAction")),
                   QStringLiteral("19200"));
    rig.confirmPowerCycle(true);
    QTRY_COMPARE(rig.messages.shown.size(), 3);
    QCOMPARE(rig.messages.shown.last(),
             QStringLiteral("波特率已改为 19200：地址 2 已在新波特率读取确认。"));
    QCOMPARE(rig.ui().Combo2->text(), QStringLiteral("19200"));
    QTRY_VERIFY(!rig.w().line().opening() && rig.w().line().shownOpen());
    QVERIFY(watch->watch({2, 4}, 200, {}, models));
    QTRY_VERIFY_WITH_TIMEOUT(
        watch->tally().sensors().at(0).good >= 1 && watch->tally().sensors().at(1).good >= 1, 5000);
    watch->stop();
    // The tool's own sensor names no rate register: refused by its name, nothing written.
    QVERIFY(rig.chooseModel(QStringLiteral("default"), false));
    const std::size_t written = rig.sensor.frames(QStringLiteral("RX")).size();
    rig.w().findChild<QAction*>(QStringLiteral("rateChangeAction"))->trigger();
    QVERIFY(rig.messages.shown.last().contains(QStringLiteral("本工具的传感器")));
    QVERIFY(!rig.w().findChild<RateChangeDialog*>());
    QCOMPARE(rig.sensor.frames(QStringLiteral("RX")).size(), written);
}

// Offsets written into the sensor and read back, the readings shifted by them; an offset
// outside the model's range is refused with nothing sent.
void TestSerialServer::ownEndpointCorrectionsWrittenAndReadBack() {
    ServerRig rig;
    QVERIFY(rig.startBehindOwnEndpoint({QStringLiteral("--model"), QStringLiteral("xy-md02"),
                                        QStringLiteral("--temperature"), QStringLiteral("215"),
                                        QStringLiteral("--humidity"), QStringLiteral("480")}));
    rig.clickOpen();
    QVERIFY(rig.chooseModel(QStringLiteral("xy-md02"), false));
    auto* box = rig.w().findChild<QGroupBox*>(QStringLiteral("correctionsBox"));
    QVERIFY(box);
    auto* temperature = box->findChild<QLineEdit*>(QStringLiteral("temperatureCorrection"));
    auto* humidity = box->findChild<QLineEdit*>(QStringLiteral("humidityCorrection"));
    auto* status = box->findChild<QLabel*>(QStringLiteral("correctionsStatus"));
    temperature->setText(QStringLiteral("-1.5"));
    humidity->setText(QStringLiteral("2.3"));
    box->findChild<QPushButton*>(QStringLiteral("writeCorrections"))->click();
    QTRY_COMPARE(status->text(), QStringLiteral("传感器中的校正值已读回确认"));
    temperature->clear();
    humidity->clear();
    box->findChild<QPushButton*>(QStringLiteral("readCorrections"))->click();
    QTRY_COMPARE(status->text(), QStringLiteral("已读取传感器中的校正值"));
    QCOMPARE(temperature->text(), QStringLiteral("-1.5"));
    QCOMPARE(humidity->text(), QStringLiteral("2.3"));
    rig.ui().Command_OK3->click();
    QCOMPARE(rig.nextVerdict(), kGood);
    QCOMPARE(rig.ui().AI_SHOW(0)->text(), QStringLiteral("20.0℃"));
    QCOMPARE(rig.ui().AI_SHOW(1)->text(), QStringLiteral("50.3%"));
    rig.ui().Command_OK3->click();

    const std::size_t written = rig.sensor.frames(QStringLiteral("RX")).size();
    temperature->setText(QStringLiteral("10.4"));
    box->findChild<QPushButton*>(QStringLiteral("writeCorrections"))->click();
    QVERIFY(status->text().contains(QStringLiteral("超出范围")));
    QTest::qWait(300); // a request would have reached the sensor by now
    QCOMPARE(rig.sensor.frames(QStringLiteral("RX")).size(), written);
    // The range's own upper end is taken.
    temperature->setText(QStringLiteral("10"));
    box->findChild<QPushButton*>(QStringLiteral("writeCorrections"))->click();
    QTRY_COMPARE(status->text(), QStringLiteral("传感器中的校正值已读回确认"));
    QCOMPARE(temperature->text(), QStringLiteral("10.0"));
}

QTEST_MAIN(TestSerialServer)
#include "test_serial_server.moc"
