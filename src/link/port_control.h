// SPDX-License-Identifier: MIT
#pragma once

#include "line_settings.h"
#include "port_view.h"
#include "serial_control.h"

class MessageSink;
class SerialDevices;

// Opens and closes the tool's one serial port on the operator's command and keeps the
// shown port state (caption and lamp) true to the port.
class PortControl {
public:
    PortControl(SerialControl& port, PortView& view, MessageSink& messages,
                const SerialDevices& devices);

    // Closes the port when it is shown open, otherwise trial-opens and opens the
    // selected one.
    void toggleOpen();
    // Opens and closes port once to see whether it can be had; tells the operator why not.
    bool CheckPort(qint16 port);
    // Configures and opens the port; on failure the shown state is closed again.
    bool OpenPort(qint16 port);
    // The operator picked a port: a different one closes the open port.
    void selectPort();
    // A new baud rate closes an open port; the next open uses the new rate.
    void closeForNewBaud();
    // Closes the port and shows it closed, also when it has already gone away.
    void closePort();

    bool shownOpen() const { return view_.command1Caption() == PortCaption::kClose; }
    qint16 selectedPort() const { return SelectedPort; }
    qint16 openPortNumber() const { return OpenPortNumber; }
    QString parityLetter() const { return ParityLetter; }
    QString portSettings() const { return PortSettings; }
    // The settings of the open port, typed; the defaults when the text is not valid.
    LineSettings lineSettings() const {
        return ParseLineSettings(PortSettings).value_or(LineSettings{});
    }

    static QString ParityLetterFor(const QString& parityText);

private:
    void showProblem(PortProblem problem, qint16 port, const CommResult& result);

    SerialControl& port_;
    PortView& view_;
    MessageSink& messages_;
    const SerialDevices& devices_;
    qint16 SelectedPort = 0;
    qint16 OpenPortNumber = 0;
    QString ParityLetter;
    QString PortSettings;
};
