// SPDX-License-Identifier: MIT
#pragma once

#include "control_array.h"
#include "editable_combo_box.h"
#include "message_queue.h"
#include "port_control.h"
#include "reading_series.h"
#include "readings.h"
#include "recorder.h"
#include "reply_check.h"
#include "services.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <memory>

class QPushButton;
class Lamp;
class QAction;
class ScanDialog;
class LineHealth;
class ToolMenu;
class TrendWindow;

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
class frmmain final : public QWidget, private PortView {
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
    void MSComm1_OnComm();
    // Shows the decoded readings, and returns them for the record and the trend.
    std::optional<Readings> ShowReadings();

    // Recording of judged cycles to a CSV file; false with *error set when the file cannot
    // be had. The context menu asks for the file and then calls this.
    bool startRecording(const QString& path, RecordFile::Mode mode, QString* error);
    void stopRecording();
    const Recorder& recorder() const { return recorder_; }

signals:
    // What happens on the line, for the parts that watch it.
    void portOpened();
    void requestSent();
    void bytesReceived();
    void cycleJudged(const ReplyVerdict& verdict);

protected:
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class WindowParts; // the tests' one way in

    void createControls();
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
    void refreshPortToolTips();

    // Beyond the window's own controls: context menu and shortcuts.
    void createExtensions();
    void openScan();
    bool scanRunning() const;
    void useScanFinding(int address, int baud);
    void chooseRecordFile();
    void recordingStopped(const QString& reason);
    void showRecordingState();
    void showTrend();
    // After each reply check while acquisition runs: the record and the trend.
    void keepCycle(const ReplyVerdict& verdict, const std::optional<Readings>& readings);

    // PortView
    QString command1Caption() const override;
    void showPortState(bool open) override;
    int portListIndex() const override;
    QString baudText() const override;
    QString parityText() const override;
    QString dataBitsText() const override;
    QString stopBitsText() const override;
    void showStatus(const StatusText& status) override;

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
    std::unique_ptr<PortControl> portControl_;
    QColor foreColor_;
    QAction* scanAction_ = nullptr;
    QAction* recordAction_ = nullptr;
    QAction* stopRecordAction_ = nullptr;
    QAction* trendAction_ = nullptr;
    ToolMenu* toolMenu_ = nullptr;
    LineHealth* lineHealth_ = nullptr;
    QPointer<ScanDialog> scanDialog_;
    QPointer<TrendWindow> trendWindow_;
    Recorder recorder_;
    ReadingSeries series_;
    StatusText status_;
    QString recordNote_; // how the last recording ended, for the status tooltip
    bool unloaded_ = false;
};
