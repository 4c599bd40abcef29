#pragma once

#include "control_array.h"
#include "port_control.h"
#include "services.h"
#include "vb_combo_box.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QTimer>
#include <QWidget>
#include <memory>

class QGroupBox;
class QPushButton;
class Lamp;

namespace Caption {
inline const QString kWindow =
    QStringLiteral("温湿度传感器Modbus调试软件　　　　　　　　　             Quorvex");
inline const QString kStart = QStringLiteral("采 集"); // acquisition stopped
inline const QString kStop = QStringLiteral("停 止");  // acquisition running
inline const QString kConfirm = QStringLiteral("确 定");
inline const QString kGood = QStringLiteral("通讯数据正常！");
inline const QString kBad = QStringLiteral("通讯数据错误！");
inline const QString kWebAddress = QStringLiteral("www.example.com");
} // namespace Caption

// The tool's one window. Handlers keep the names of the events they answer.
class frmmain final : public QWidget, private PortView {
    Q_OBJECT
public:
    explicit frmmain(const Services& services, QWidget* parent = nullptr);
    ~frmmain() override;

    // Controls, by their names.
    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame7 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label14 = nullptr;
    ControlArray<QLabel> Label13;
    ControlArray<QLabel> Label17;
    ControlArray<QLabel> Label18;
    ControlArray<QLabel> AI_SHOW;
    ControlArray<QPlainTextEdit> Text1;
    QPlainTextEdit* Text2 = nullptr;
    QPlainTextEdit* Message_Show = nullptr;
    VbComboBox* Combo1 = nullptr;
    VbComboBox* Combo2 = nullptr;
    VbComboBox* Combo3 = nullptr;
    VbComboBox* Combo4 = nullptr;
    VbComboBox* Combo5 = nullptr;
    ControlArray<VbComboBox> Combo_Addr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command_OK1 = nullptr;
    QPushButton* Command_OK3 = nullptr;
    Lamp* Shape1 = nullptr;
    QLabel* Picture1 = nullptr;
    QTimer Timer1;
    QTimer Timer2;
    QTimer Timer3;

    // The shared transcripts of the last request and of everything received since.
    QString SendHex;
    QString ReceiveHex;

    const PortControl& portControl() const { return *portControl_; }
    QColor foreColor() const { return foreColor_; }

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
    void MSComm1_OnComm();
    void ShowReadings();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void setTabOrder();
    void connectHandlers();
    QString settingsPath() const;
    void stopAcquisition(const QString& message);
    void clearExchange();
    bool sendRequest(const QByteArray& frame);
    // The line is gone: show the port closed, say why, stop polling, tell the operator.
    void lineClosed(const QString& reason, const QString& message);
    void onPortLost(const QString& reason);

    // PortView
    QString command1Caption() const override;
    void showPortState(bool open) override;
    int portListIndex() const override;
    QString baudText() const override;
    QString parityText() const override;
    QString dataBitsText() const override;
    QString stopBitsText() const override;
    void showStatus(const QString& text) override;

    Services services_;
    std::unique_ptr<PortControl> portControl_;
    QColor foreColor_;
    bool unloaded_ = false;
};
