#include "lamp.h"
#include "window_fixture.h"

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
};

void TestPortControl::openAndCloseFollowCaptionAndLamp() {
    WindowFixture f(QByteArray("3\r\n9600\r\n"));
    QCOMPARE(f.ui().portControl().selectedPort(), 3);
    f.openPort();
    QCOMPARE(f.ui().Command1->text(), QStringLiteral("关闭串口"));
    QCOMPARE(f.ui().Shape1->fillColor(), kGreen);
    QCOMPARE(f.ui().portControl().openPortNumber(), 3);
    QVERIFY(f.port.open);
    QVERIFY(f.messages.shown.isEmpty());

    f.openPort();
    QCOMPARE(f.ui().Command1->text(), QStringLiteral("打开串口"));
    QCOMPARE(f.ui().Shape1->fillColor(), kBlack);
    QCOMPARE(f.ui().portControl().openPortNumber(), 0);
    QVERIFY(!f.port.open);
}

void TestPortControl::openConfiguresThePortInOrder() {
    WindowFixture f(QByteArray("3\r\n115200\r\n"));
    f.openPort();
    QCOMPARE(f.port.calls, (QStringList{"CommPort=3", "PortOpen=1", "PortOpen=0", "CommPort=3",
                                        "OutBufferSize=1024", "InBufferSize=1024", "InputMode=1",
                                        "InputLen=0", "InBufferCount=0", "SThreshold=1",
                                        "RThreshold=1", "Settings=115200,N,8,1", "PortOpen=1"}));
    QCOMPARE(f.ui().portControl().portSettings(), QStringLiteral("115200,N,8,1"));
    QCOMPARE(f.ui().portControl().parityLetter(), QStringLiteral("N"));
}

void TestPortControl::trialFailuresKeepThePortClosed_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing") << CommError::kNoSuchPort << QStringLiteral("串口不存在！");
    QTest::newRow("busy") << CommError::kPortBusy << QStringLiteral("串口已打开！");
    QTest::newRow("permission") << CommError::kPermissionDenied << QStringLiteral("其它错误");
    QTest::newRow("other") << CommError::kOther << QStringLiteral("其它错误");
}

void TestPortControl::trialFailuresKeepThePortClosed() {
    QFETCH(int, code);
    QFETCH(QString, message);
    WindowFixture f;
    f.port.openResults.push_back({code, QStringLiteral("the reason")});
    f.openPort();
    QCOMPARE(f.messages.shown, QStringList{message});
    QCOMPARE(f.ui().Command1->text(), QStringLiteral("打开串口"));
    QCOMPARE(f.ui().Shape1->fillColor(), kBlack);
    QCOMPARE(f.ui().portControl().openPortNumber(), 0);
    QVERIFY(f.ui().Message_Show->toPlainText().contains(QStringLiteral("the reason")));
    // The next click tries again and succeeds.
    f.openPort();
    QCOMPARE(f.ui().Command1->text(), QStringLiteral("关闭串口"));
}

void TestPortControl::failedConfigurationShowsClosed() {
    WindowFixture f(QByteArray("1\r\nfast\r\n"));
    QCOMPARE(f.ui().Combo2->text(), QStringLiteral("fast"));
    f.port.settingsResult = {CommError::kInvalidValue, QStringLiteral("invalid")};
    f.openPort();
    QCOMPARE(f.messages.shown.size(), 1);
    QVERIFY(f.messages.shown[0].contains(QStringLiteral("fast,N,8,1")));
    QCOMPARE(f.ui().Command1->text(), QStringLiteral("打开串口"));
    QCOMPARE(f.ui().Shape1->fillColor(), kBlack);
    QCOMPARE(f.ui().portControl().openPortNumber(), 0);
    QVERIFY(!f.port.open);

    // The open itself failing after a good trial.
    WindowFixture g;
    g.port.openResults = {{}, {CommError::kOther, QStringLiteral("gone")}};
    g.openPort();
    QCOMPARE(g.messages.shown.size(), 1);
    QCOMPARE(g.ui().Command1->text(), QStringLiteral("打开串口"));
    QCOMPARE(g.ui().portControl().openPortNumber(), 0);
}

void TestPortControl::pickingAnotherPortWhileOpenShowsItClosed() {
    WindowFixture f(QByteArray("2\r\n9600\r\n"));
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
    QCOMPARE(f.ui().portControl().openPortNumber(), 0);
    QCOMPARE(f.ui().portControl().selectedPort(), 5);

    f.port.calls.clear();
    f.openPort(); // one click opens the new port
    QVERIFY(f.port.open);
    QCOMPARE(f.port.calls.first(), QStringLiteral("CommPort=5"));
    QCOMPARE(f.ui().portControl().openPortNumber(), 5);
}

void TestPortControl::pickingPortsWhileClosedOnlyChangesTheSelection() {
    WindowFixture f;
    f.ui().Combo1->setListIndex(6);
    QCOMPARE(f.ui().portControl().selectedPort(), 7);
    QVERIFY(!f.port.calls.contains(QStringLiteral("PortOpen=1")));
    QCOMPARE(f.ui().Command1->text(), QStringLiteral("打开串口"));
}

void TestPortControl::lostLineShowsClosedAndTellsOnce() {
    WindowFixture f;
    f.openPort();
    f.ui().Command_OK3->click();
    f.port.loseLine(QStringLiteral("hang-up"));
    f.port.loseLine(QStringLiteral("hang-up"));
    QCOMPARE(f.messages.shown, QStringList{QStringLiteral("串口已断开！")});
    QCOMPARE(f.ui().Command1->text(), QStringLiteral("打开串口"));
    QCOMPARE(f.ui().Shape1->fillColor(), kBlack);
    QCOMPARE(f.ui().Command_OK3->text(), QStringLiteral("采 集"));
    QVERIFY(!f.ui().Timer2.isActive());
}

void TestPortControl::typedPortTextMeansNoSelection() {
    WindowFixture f(QByteArray("3\r\n9600\r\n"));
    f.ui().Combo1->setText(QStringLiteral("COM4"));
    QCOMPARE(f.ui().Combo1->listIndex(), -1);
    QCOMPARE(f.ui().Combo1->count(), 10);
    f.openPort(); // port 0 goes to the trial as it is
    QCOMPARE(f.port.calls.first(), QStringLiteral("CommPort=0"));
    QCOMPARE(f.messages.shown, QStringList{QStringLiteral("串口不存在！")});
}

QTEST_MAIN(TestPortControl)
#include "test_port_control.moc"
