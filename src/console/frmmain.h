// SPDX-License-Identifier: MIT
#pragma once

#include "control_array.h"
#include "editable_combo_box.h"
#include "judged_cycle.h"
#include "message_queue.h"
#include "port_caption.h"
#include "serial_line.h"
#include "services.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QTimer>
#include <QWidget>

class QPushButton;
class Lamp;
class LineHealth;
class RecordingPart;
class ScanLauncher;
class TrendPart;
class ToolMenu;

namespace Caption {
inline const QString kWindow =
    QStringLiteral("温湿度传感器Modbus调试软件　　　　　　　　　             Quorvex");
inline const QString kStart = QStringLiteral("采 集"); // acquisition stopped
inline const QString kStop = QStringLiteral("停 止");  // acquisition running
inline const QString kConfirm = QStringLiteral("确 定");
inline const QString kGood = QStringLiteral("通讯数据正常！");
inline const QString kBad = QStringLiteral("通讯数据错误！");
inline const QString kWebAddress = QStringLiteral("www.modbus.org");
} // namespace Caption

// The tool's one window. Handlers keep the names of the events they answer.
class frmmain final : public QWidget {
    Q_OBJECT
public:
    explicit frmmain(const Services& services, QWidget* parent = nullptr);
    ~frmmain() override;

    // Event handlers.
    void Form_Load();
    void Form_QueryUnload();
    void Command1_Click();
    void Combo1_Click();
    void Command_OK3_Click();
    void Command_OK1_Click();
    void Timer1_Timer();
    void Timer2_Timer();
    void Timer3_Timer();
    void Label9_Click();
    void Combo2_Click();
    void MSComm1_OnComm(const QByteArray& received);
    // Shows the decoded readings, and returns them for the record and the trend.
    std::optional<Readings> ShowReadings();
    // A sensor found by the scan becomes the polled one; another rate reopens the port.
    void selectSensor(int address, int baud);

    // The transcripts of the last request and of what has arrived since, and the port's
    // control, for those who watch the window (the tests, the benchmark).
    const QString& sendHex() const { return SendHex; }
    const QString& receiveHex() const { return ReceiveHex; }
    const SerialLine& line() const { return *line_; }

    // Recording, a part of its own like the other features beyond the window's controls.
    RecordingPart& recording() const { return *recording_; }

signals:
    // What happens on the line, for the parts that watch it.
    void portOpened();
    void requestSent();
    void bytesReceived();
    void cycleJudged(const JudgedCycle& cycle);

protected:
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void createLinkFrame();
    void createAcquisitionFrame();
    void createAddressFrame();
    void createLinkLabelAndBoxes();
    void createTimers();
    void setTabOrder();
    void connectHandlers();
    QString settingsFolder() const;
    QString settingsPath() const;
    void stopAcquisition(const QString& message);
    void clearExchange();
    bool sendRequest(const QByteArray& frame);
    // The line is gone: show the port closed, say why, stop polling, tell the operator.
    void lineClosed(PortProblem problem, const CommResult& result, const QString& message);
    void onPortLost(const QString& reason, const QString& device);
    void setStatus(const QString& line) { showStatus({line, {}}); }
    // The state the operator sees is the state: the captions of Command1 and Command_OK3.
    bool portShownOpen() const { return line_->shownOpen(); }
    // The port and the link lists as the operator set them.
    SerialLine::Choice choice() const;
    bool acquiring() const;
    void showStatusToolTip();
    void refreshPortToolTips();

    // Beyond the window's own controls: the parts, the context menu and shortcuts.
    void createExtensions();

    // Command1's caption and the lamp.
    void showPortState(bool open);
    void showStatus(const StatusText& status);

    // Controls, by their names; plain captions are not kept.
    QLabel* Label9 = nullptr;
    ControlArray<QLabel> AI_SHOW;
    ControlArray<QPlainTextEdit> Text1;
    QPlainTextEdit* Text2 = nullptr;
    QPlainTextEdit* Message_Show = nullptr;
    EditableComboBox* Combo1 = nullptr;
    EditableComboBox* Combo2 = nullptr;
    EditableComboBox* Combo3 = nullptr;
    EditableComboBox* Combo4 = nullptr;
    EditableComboBox* Combo5 = nullptr;
    ControlArray<EditableComboBox> Combo_Addr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command_OK1 = nullptr;
    QPushButton* Command_OK3 = nullptr;
    Lamp* Shape1 = nullptr;
    QTimer Timer1{this};
    QTimer Timer2{this};
    QTimer Timer3{this};

    // The shared transcripts of the last request and of everything received since.
    QString SendHex;
    QString ReceiveHex;

    Services services_;
    OneAtATimeMessages messages_;
    SerialLine* line_ = nullptr;
    int sentAddress_ = -1; // of the last request
    StatusText status_;
    bool unloaded_ = false;

    // Parts, owned through Qt's parent of each.
    ToolMenu* toolMenu_ = nullptr;
    LineHealth* lineHealth_ = nullptr;
    RecordingPart* recording_ = nullptr;
    TrendPart* trend_ = nullptr;
    ScanLauncher* scanLauncher_ = nullptr;
};
