// SPDX-License-Identifier: MIT
#include "language/language_part.h"
#include "line_settings/line_settings_dialog.h"
#include "network_ports/network_ports_dialog.h"
#include "pty_pair.h"
#include "tool_rig.h"
#include "tool_settings.h"
#include "window/lamp.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTest>

namespace {
const QColor kGreen(0, 255, 0);
const QColor kBlack(0, 0, 0);
} // namespace

class TestPortControl : public QObject {
    Q_OBJECT
private slots:
    void openAndCloseFollowCaptionAndLamp();
    void openConfiguresThePortInOrder();
    void trialFailuresKeepThePortClosed_data();
    void trialFailuresKeepThePortClosed();
    void failedConfigurationShowsClosed();
    void pickingAnotherPortWhileOpenShowsItClosed();
    void pickingPortsWhileClosedOnlyChangesTheSelection();
    void lostLineShowsClosedAndTellsOnce();
    void typedPortTextMeansNoSelection();
    void portListTellsWhichDeviceEachNumberIs();
    void chosenLineReachesThePortAndTheNextStart();
    void aModbusTcpGatewaySaysWhatItIs();
};

void TestPortControl::openAndCloseFollowCaptionAndLamp() {
    ToolRig f(QByteArray("3\r\n9600\r\n"));
    QCOMPARE(f.ui().Combo1->listIndex(), 2);
    f.openPort();
    QCOMPARE(f.ui().Command1->text(), QStringLiteral("关闭串口"));
    QCOMPARE(f.ui().Shape1->fillColor(), kGreen);
    QCOMPARE(f.w().line().openPortNumber(), 3);
    QVERIFY(f.port.open);
    QVERIFY(f.messages.shown.isEmpty());

    f.openPort();
    QCOMPARE(f.ui().Command1->text(), QStringLiteral("打开串口"));
    QCOMPARE(f.ui().Shape1->fillColor(), kBlack);
    QCOMPARE(f.w().line().openPortNumber(), 0);
    QVERIFY(!f.port.open);
}

void TestPortControl::openConfiguresThePortInOrder() {
    ToolRig f(QByteArray("3\r\n115200\r\n"));
    f.openPort();
    QCOMPARE(f.port.calls, (QStringList{"CommPort=3", "PortOpen=1", "PortOpen=0", "CommPort=3",
                                        "OutBufferSize=1024", "InBufferSize=1024", "InputMode=1",
                                        "InputLen=0", "InBufferCount=0", "SThreshold=1",
                                        "RThreshold=1", "Settings=115200,N,8,1", "PortOpen=1"}));
}

void TestPortControl::trialFailuresKeepThePortClosed_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("status");
    QTest::newRow("missing") << CommError::kNoSuchPort << QStringLiteral("串口不存在！")
                             << QStringLiteral("COM1（/dev/ttyUSB0）不存在；现有串口："
                                               "/dev/ttyACM0、/dev/ttyS4；在 com.txt 所在文件夹"
                                               "执行 ln -s /dev/ttyACM0 COM1，即可把它用作 COM1");
    QTest::newRow("busy") << CommError::kPortBusy << QStringLiteral("串口已打开！")
                          << QStringLiteral("COM1（/dev/ttyUSB0）被其他程序占用");
    QTest::newRow("permission")
        << CommError::kPermissionDenied << QStringLiteral("其它错误")
        << QStringLiteral("无权打开 COM1（/dev/ttyUSB0）：请把用户加入 dialout 组（sudo adduser "
                          "$USER dialout），然后重新登录（常见的 USB 转 RS-485 适配器在安装本软件后"
                          "插上即可使用）");
    QTest::newRow("other") << CommError::kOther << QStringLiteral("其它错误")
                           << QStringLiteral("无法打开 COM1（/dev/ttyUSB0）");
}

void TestPortControl::trialFailuresKeepThePortClosed() {
    QFETCH(int, code);
    QFETCH(QString, message);
    QFETCH(QString, status);
    ToolRig f;
    f.devices.devices = {{QStringLiteral("/dev/ttyACM0"), {}, {}, {}, {}},
                         {QStringLiteral("/dev/ttyS4"), {}, {}, {}, {}}};
    f.port.openResults.push_back({code, QStringLiteral("the reason"), "/dev/ttyUSB0"});
    f.openPort();
    QCOMPARE(f.messages.shown, QStringList{message});
    QCOMPARE(f.ui().Command1->text(), QStringLiteral("打开串口"));
    QCOMPARE(f.ui().Shape1->fillColor(), kBlack);
    QCOMPARE(f.w().line().openPortNumber(), 0);
    // The tool's words in the box, the system's in its tooltip.
    QCOMPARE(f.ui().Message_Show->toPlainText(), status);
    QCOMPARE(f.ui().Message_Show->toolTip(), status + QStringLiteral("\n系统信息：the reason"));
    // Both say it again in the other language, and back.
    auto* language = f.w().findChild<LanguagePart*>();
    const auto chinese = qScopeGuard([language] { language->choose(Language::Chinese); });
    language->choose(Language::English);
    QCoreApplication::processEvents();
    static const QRegularExpression han(QStringLiteral("\\p{Han}"));
    QVERIFY2(!f.ui().Message_Show->toPlainText().contains(han) &&
                 f.ui().Message_Show->toPlainText().contains(QStringLiteral("COM1")),
             qPrintable(f.ui().Message_Show->toPlainText()));
    QVERIFY2(!f.ui().Message_Show->toolTip().contains(han) &&
                 f.ui().Message_Show->toolTip().contains(QStringLiteral("the reason")),
             qPrintable(f.ui().Message_Show->toolTip()));
    language->choose(Language::Chinese);
    QCoreApplication::processEvents();
    QCOMPARE(f.ui().Message_Show->toPlainText(), status);
    QCOMPARE(f.ui().Message_Show->toolTip(), status + QStringLiteral("\n系统信息：the reason"));
    // The next click tries again and succeeds.
    f.openPort();
    QCOMPARE(f.ui().Command1->text(), QStringLiteral("关闭串口"));
}

void TestPortControl::failedConfigurationShowsClosed() {
    ToolRig f(QByteArray("1\r\nfast\r\n"));
    QCOMPARE(f.ui().Combo2->text(), QStringLiteral("fast"));
    f.port.settingsResult = {CommError::kInvalidValue, QStringLiteral("invalid")};
    f.openPort();
    QCOMPARE(f.messages.shown.size(), 1);
    QVERIFY(f.messages.shown[0].contains(QStringLiteral("fast,N,8,1")));
    QCOMPARE(f.ui().Command1->text(), QStringLiteral("打开串口"));
    QCOMPARE(f.ui().Shape1->fillColor(), kBlack);
    QCOMPARE(f.w().line().openPortNumber(), 0);
    QVERIFY(!f.port.open);

    // The open itself failing after a good trial.
    ToolRig g;
    g.port.openResults = {{}, {CommError::kOther, QStringLiteral("gone")}};
    g.openPort();
    QCOMPARE(g.messages.shown.size(), 1);
    QCOMPARE(g.ui().Command1->text(), QStringLiteral("打开串口"));
    QCOMPARE(g.w().line().openPortNumber(), 0);
}

void TestPortControl::pickingAnotherPortWhileOpenShowsItClosed() {
    ToolRig f(QByteArray("2\r\n9600\r\n"));
    f.openPort();
    QVERIFY(f.port.open);
    // The same port again changes nothing.
    f.ui().Combo1->setListIndex(1);
    QVERIFY(f.port.open);
    QCOMPARE(f.ui().Command1->text(), QStringLiteral("关闭串口"));

    f.ui().Combo1->setListIndex(4);
    QVERIFY(!f.port.open);
    QCOMPARE(f.ui().Command1->text(), QStringLiteral("打开串口"));
    QCOMPARE(f.ui().Shape1->fillColor(), kBlack);
    QCOMPARE(f.w().line().openPortNumber(), 0);

    f.port.calls.clear();
    f.openPort(); // one click opens the new port
    QVERIFY(f.port.open);
    QCOMPARE(f.port.calls.first(), QStringLiteral("CommPort=5"));
    QCOMPARE(f.w().line().openPortNumber(), 5);
}

void TestPortControl::pickingPortsWhileClosedOnlyChangesTheSelection() {
    ToolRig f;
    f.ui().Combo1->setListIndex(6);
    QVERIFY(!f.port.calls.contains(QStringLiteral("PortOpen=1")));
    QCOMPARE(f.ui().Command1->text(), QStringLiteral("打开串口"));
    f.openPort();
    QCOMPARE(f.port.calls.first(), QStringLiteral("CommPort=7"));
}

void TestPortControl::lostLineShowsClosedAndTellsOnce() {
    ToolRig f;
    f.openPort();
    f.ui().Command_OK3->click();
    f.w().Timer2_Timer();
    QVERIFY(f.ui().Timer1.isActive());
    f.port.loseLine(QStringLiteral("hang-up"));
    f.port.loseLine(QStringLiteral("hang-up"));
    QCOMPARE(f.messages.shown, QStringList{QStringLiteral("串口已断开！")});
    // The reason stays: the pending reply check does not run.
    QVERIFY(!f.ui().Timer1.isActive());
    QVERIFY(f.ui().Message_Show->toPlainText().startsWith(QStringLiteral("COM1")));
    QVERIFY(f.ui().Message_Show->toPlainText().endsWith(QStringLiteral("已断开")));
    QVERIFY(f.ui().Message_Show->toolTip().contains(QStringLiteral("hang-up")));
    QCOMPARE(f.ui().Command1->text(), QStringLiteral("打开串口"));
    QCOMPARE(f.ui().Shape1->fillColor(), kBlack);
    QCOMPARE(f.ui().Command_OK3->text(), QStringLiteral("采 集"));
    QVERIFY(!f.ui().Timer2.isActive());
}

void TestPortControl::typedPortTextMeansNoSelection() {
    ToolRig f(QByteArray("3\r\n9600\r\n"));
    f.ui().Combo1->setText(QStringLiteral("COM4"));
    QCOMPARE(f.ui().Combo1->listIndex(), -1);
    QCOMPARE(f.ui().Combo1->count(), 10);
    f.openPort(); // port 0 goes to the trial as it is
    QCOMPARE(f.port.calls.first(), QStringLiteral("CommPort=0"));
    QCOMPARE(f.messages.shown, QStringList{QStringLiteral("串口不存在！")});
}

void TestPortControl::portListTellsWhichDeviceEachNumberIs() {
    ToolRig f(QByteArray("2\r\n9600\r\n"));
    PtyPair adapter(f.dir.path(), 2);
    QVERIFY(adapter.ok());
    QVERIFY(QFile::link(QStringLiteral("/dev/ttyGONE7"), f.dir.filePath(QStringLiteral("COM3"))));
    f.devices.devices = {{adapter.device(), QStringLiteral("USB-RS485 Adapter"),
                          QStringLiteral("FTDI"), QStringLiteral("A10K3XYZ"),
                          QStringLiteral("/dev/serial/by-id/usb-FTDI_A10K3XYZ-if00-port0")}};
    const auto tip = [&](int index) {
        return f.ui().Combo1->itemData(index, Qt::ToolTipRole).toString();
    };
    // Read when the list opens, so devices plugged in since count.
    f.ui().Combo1->showPopup();
    f.ui().Combo1->hidePopup();
    QCOMPARE(tip(1), QStringLiteral("COM2 → %1（经文件夹中的 COM2 链接）\n描述：USB-RS485 Adapter\n"
                                    "制造商：FTDI\n序列号：A10K3XYZ\n"
                                    "/dev/serial/by-id/usb-FTDI_A10K3XYZ-if00-port0")
                         .arg(adapter.device()));
    QCOMPARE(tip(2),
             QStringLiteral("COM3 → /dev/ttyGONE7（经文件夹中的 COM3 链接）\n此处没有连接设备"));
    QCOMPARE(tip(4), QStringLiteral("COM5 → /dev/ttyUSB4\n此处没有连接设备"));
    QCOMPARE(f.ui().Combo1->toolTip(), tip(1)); // the selected port's own
}

namespace {
// 线路设置… with a rate, the parity list's item and the stop bits, confirmed.
void chooseLine(ToolRig& f, const QString& baud, int parityItem, const QString& stopBits) {
    f.w().findChild<QAction*>(QStringLiteral("lineSettingsAction"))->trigger();
    auto* dialog = f.w().findChild<LineSettingsDialog*>();
    QVERIFY(dialog && dialog->isVisible());
    dialog->findChild<QComboBox*>(QStringLiteral("lineBaud"))->setCurrentText(baud);
    dialog->findChild<QComboBox*>(QStringLiteral("lineParity"))->setCurrentIndex(parityItem);
    dialog->findChild<QComboBox*>(QStringLiteral("lineStopBits"))->setCurrentText(stopBits);
    dialog->findChild<QPushButton*>(QStringLiteral("lineAccept"))->click();
    QTRY_VERIFY(!f.w().findChild<LineSettingsDialog*>());
}
} // namespace

// The open port is reopened with the chosen line; the disabled lists show it; the rate goes
// to com.txt and the format to the settings file, so the next start opens the same way.
void TestPortControl::chosenLineReachesThePortAndTheNextStart() {
    ToolRig f(QByteArray("3\r\n9600\r\n"));
    f.openPort();
    f.port.calls.clear();
    chooseLine(f, QStringLiteral("19200"), 2, QStringLiteral("1"));
    QCOMPARE(f.ui().Combo2->text(), QStringLiteral("19200"));
    QCOMPARE(f.ui().Combo3->text(), QStringLiteral("偶校验"));
    QCOMPARE(f.ui().Combo5->text(), QStringLiteral("1"));
    QVERIFY(f.port.open);
    QCOMPARE(f.port.calls.filter(QStringLiteral("Settings=")),
             QStringList{QStringLiteral("Settings=19200,E,8,1")});

    f.w().close();
    QCOMPARE(f.comTxt(), QByteArray("3\r\n19200\r\n"));
    f.startWindow();
    QCOMPARE(f.ui().Combo3->text(), QStringLiteral("偶校验"));
    QCOMPARE(f.ui().Combo5->text(), QStringLiteral("1"));
    f.port.calls.clear();
    f.openPort();
    QVERIFY(f.port.calls.contains(QStringLiteral("Settings=19200,E,8,1")));

    // Chosen while closed: for the next open only.
    f.openPort();
    f.port.calls.clear();
    chooseLine(f, QStringLiteral("4800"), 0, QStringLiteral("2"));
    QVERIFY(!f.port.open);
    QVERIFY(f.port.calls.filter(QStringLiteral("Settings=")).isEmpty());
    f.openPort();
    QVERIFY(f.port.calls.contains(QStringLiteral("Settings=4800,N,8,2")));

    // A sensor the scan found at its own line: the lists and the settings file follow.
    f.port.calls.clear();
    f.w().selectSensor(5, {19200, {QLatin1Char('O'), 1}});
    QCOMPARE(f.ui().Combo_Addr(2)->text(), QStringLiteral("5"));
    QCOMPARE(f.ui().Combo3->text(), QStringLiteral("奇校验"));
    QCOMPARE(f.ui().Combo5->text(), QStringLiteral("1"));
    QVERIFY(f.port.calls.contains(QStringLiteral("Settings=19200,O,8,1")));
    QCOMPARE(ToolSettings(f.folder).lineFormat().text(), QStringLiteral("8O1"));

    // A port whose server keeps its own format: the dialog says so.
    ToolRig::Options options = ToolRig::WithComTxt(QByteArray("2\r\n9600\r\n"));
    options.startWindow = false;
    ToolRig raw(options);
    ServerMap servers;
    servers[2] = {ServerAddress::Kind::RawTcp, QStringLiteral("127.0.0.1"), 4002};
    ToolSettings(raw.folder).setServers(servers);
    raw.startWindow();
    raw.w().findChild<QAction*>(QStringLiteral("lineSettingsAction"))->trigger();
    auto* note = raw.w().findChild<QLabel*>(QStringLiteral("lineNote"));
    QVERIFY(note && note->text().contains(QStringLiteral("tcp 127.0.0.1:4002")));
}

// A port mapped to a Modbus TCP gateway: the link lists say the gateway keeps its own
// format, the status box's tooltip says the CRC shown is not on the wire while it is open,
// and an address write that gets no answer says a gateway may not pass broadcasts on.
void TestPortControl::aModbusTcpGatewaySaysWhatItIs() {
    ToolRig::Options options = ToolRig::WithComTxt(QByteArray("6\r\n9600\r\n"));
    options.startWindow = false;
    ToolRig f(options);
    ServerMap servers;
    servers[6] = {ServerAddress::Kind::ModbusTcp, QStringLiteral("gw.example"), 1502};
    ToolSettings(f.folder).setServers(servers);
    f.startWindow();
    QVERIFY2(f.ui().Combo2->toolTip().contains(QStringLiteral("modbus-tcp gw.example:1502 经 "
                                                              "Modbus TCP 网关")),
             qPrintable(f.ui().Combo2->toolTip()));
    const QString crcNote = QStringLiteral("CRC 不在线路上");
    QVERIFY(!f.ui().Message_Show->toolTip().contains(crcNote));
    f.openPort();
    QVERIFY2(f.ui().Message_Show->toolTip().contains(crcNote),
             qPrintable(f.ui().Message_Show->toolTip()));

    const QString broadcastNote = QStringLiteral("不转发广播（单元号 0）");
    f.ui().Combo_Addr(0)->setText(QStringLiteral("12"));
    f.ui().Command_OK1->click();
    f.ui().tickTimer1();
    QVERIFY2(f.ui().Message_Show->toolTip().contains(broadcastNote),
             qPrintable(f.ui().Message_Show->toolTip()));
    QVERIFY(f.ui().Message_Show->toolTip().contains(crcNote));
    // A poll that gets no answer is not about broadcasts.
    f.w().Timer2_Timer();
    f.ui().tickTimer1();
    QVERIFY(!f.ui().Message_Show->toolTip().contains(broadcastNote));
    f.openPort(); // closes
    QVERIFY(!f.ui().Message_Show->toolTip().contains(crcNote));

    // In the dialog the gateway's usual port comes with its kind, unless one was typed.
    f.w().findChild<QAction*>(QStringLiteral("networkPortsAction"))->trigger();
    auto* dialog = f.w().findChild<NetworkPortsDialog*>();
    QVERIFY(dialog);
    dialog->choosePort(7);
    auto* kind = dialog->findChild<QComboBox*>(QStringLiteral("serverKind"));
    auto* tcpPort = dialog->findChild<QSpinBox*>(QStringLiteral("serverTcpPort"));
    QCOMPARE(tcpPort->value(), 4001);
    const auto chooseKind = [kind](ServerAddress::Kind chosen) {
        kind->setCurrentIndex(kind->findData(static_cast<int>(chosen)));
    };
    chooseKind(ServerAddress::Kind::ModbusTcp);
    QCOMPARE(tcpPort->value(), 502);
    chooseKind(ServerAddress::Kind::RawTcp);
    QCOMPARE(tcpPort->value(), 4001);
    tcpPort->setValue(2502);
    chooseKind(ServerAddress::Kind::ModbusTcp);
    QCOMPARE(tcpPort->value(), 2502);
    dialog->choosePort(6);
    QCOMPARE(tcpPort->value(), 1502);
    QCOMPARE(kind->currentData().toInt(), static_cast<int>(ServerAddress::Kind::ModbusTcp));
}

QTEST_MAIN(TestPortControl)
#include "test_port_control.moc"
