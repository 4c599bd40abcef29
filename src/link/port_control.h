#pragma once

#include "port_view.h"
#include "serial_control.h"

class MessageSink;

// Opens and closes the tool's one serial port on the operator's command and keeps the
// shown port state (caption and lamp) true to the port.
class PortControl {
public:
    PortControl(SerialControl& port, PortView& view, MessageSink& messages);

    void Command1_Click();
    bool CheckPort(qint16 port);
    // Configures and opens the port; on failure the shown state is closed again.
    bool OpenPort(qint16 port);
    void Combo1_Click();
    void Combo2_Click();
    // The port went away (or a write failed): show it closed. The caller tells the operator.
    void ShowClosed();

    bool shownOpen() const { return view_.command1Caption() == PortCaption::kClose; }
    qint16 selectedPort() const { return SelectedPort; }
    qint16 openPortNumber() const { return OpenPortNumber; }
    QString parityLetter() const { return ParityLetter; }
    QString portSettings() const { return PortSettings; }

    static QString ParityLetterFor(const QString& parityText);

private:
    void closePort();

    SerialControl& port_;
    PortView& view_;
    MessageSink& messages_;
    qint16 SelectedPort = 0;
    qint16 OpenPortNumber = 0;
    QString ParityLetter;
    QString PortSettings;
};
