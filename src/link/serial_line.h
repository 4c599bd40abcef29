// SPDX-License-Identifier: MIT
#pragma once

#include "line_settings.h"
#include "port_status_text.h"
#include "serial_control.h"

#include <QObject>
#include <QPointer>
#include <functional>
#include <vector>

class MessageSink;
class SerialDevices;

// The tool's one serial line, and the only code that drives the serial-port service. It
// trial-opens, opens, reopens and closes the port on the operator's command, writes
// requests, hands what arrives to one listener at a time, and tells whether the port shows
// open and why an open failed or the line went. An open that takes a while (a serial
// server's connection) goes on from the service's openFinished, the event loop running
// meanwhile. It knows no widget: the window hands it the values of its lists.
class SerialLine final : public QObject {
    Q_OBJECT
public:
    // The port and the link lists as the operator set them.
    struct Choice {
        qint16 port = 0;
        QString baud;
        QString parity; // the parity list's choice as its letter: N, O or E; empty for none
        QString dataBits;
        QString stopBits;
    };
    using Listener = std::function<void(const QByteArray& received)>;
    static constexpr int kBufferBytes = 1024; // each way; far above the longest frame

    SerialLine(SerialControl& port, MessageSink& messages, const SerialDevices& devices,
               QObject* parent = nullptr);

    // How far an open step got: done, going on (the service tells later), or failed and
    // told the operator why.
    enum class Step { Done, Pending, Failed };

    // Closes the port when it shows open, otherwise trial-opens and opens the chosen one.
    // While an open is under way it does nothing.
    void toggleOpen(const Choice& choice);
    // Opens and closes port once to see whether it can be had; tells the operator why not.
    Step CheckPort(qint16 port);
    // Configures and opens the port; on failure it shows closed again.
    Step OpenPort(qint16 port);
    // The operator picked a port: a different one closes the open port.
    void selectPort(qint16 picked);
    // A new baud rate closes an open port; the next open uses the new rate.
    void closeForNewBaud();
    // Closes and opens again with the choice's settings, when open.
    void reopen(const Choice& choice);
    // Closes the port and shows it closed, also when it has already gone away; gives up an
    // open under way.
    void closePort();

    bool shownOpen() const { return shownOpen_; }
    // An open is under way: the trial or the real one waits for the service.
    bool opening() const { return opening_ != Opening::None; }
    qint16 openPortNumber() const { return OpenPortNumber; }
    // The settings of the open port, typed; the defaults when the text is not valid.
    LineSettings lineSettings() const;

    // Puts a request on the line. A failed write has closed the port.
    CommResult write(const QByteArray& frame);
    // New line settings on the open port (a scan's other rate), and back.
    CommResult applySettings(const LineSettings& settings);
    // Drops whatever has arrived and not been handed out.
    void discardReceived();
    // From now on, what arrives goes to listener, until owner releases the line or is
    // gone; then it goes back to whoever listened before. A purpose names a job that holds
    // the line for itself (a scan, the bus watch): the poll must wait until it ends.
    void listen(QObject* owner, Listener listener, const QString& purpose = {});
    void release(QObject* owner);
    // What holds the line for itself now; empty when the poll may use it.
    QString heldFor() const;
    // Why a request that needs the open line cannot go now (the port closed, or a job
    // holds it), in the operator's words; empty when it can.
    QString notFreeReason() const;

signals:
    // The port shows open or closed (Command1's caption and the lamp follow). It shows open
    // before it is configured, so a failed configure shows it closed again.
    void shownOpenChanged(bool open);
    // The line is really open: configured and opened.
    void opened();
    // Why opening failed, for the status box.
    void problem(const StatusText& status);
    // The open port failed for good (device gone, hang-up); it is closed by then.
    void lost(const QString& reason, const QString& device);

private:
    enum class Opening { None, Trial, Real };

    void show(bool open);
    void showProblem(PortProblem problem, qint16 port, const CommResult& result);
    void tell(const QString& message, const CommResult& result);
    bool trialEnded(qint16 port, CommResult result);
    void openChecked();
    bool realOpenEnded(qint16 port, const CommResult& result);
    void openFailed(qint16 port, const CommResult& result, const QString& message);
    void onOpenFinished(const CommResult& result);
    void deliver();

    SerialControl& port_;
    MessageSink& messages_;
    const SerialDevices& devices_;
    struct Listening {
        QPointer<QObject> owner;
        Listener listener;
        QString purpose;
    };
    std::vector<Listening> listeners_;
    bool shownOpen_ = false;
    Opening opening_ = Opening::None;
    Choice choice_; // of the open under way
    qint16 SelectedPort = 0;
    qint16 OpenPortNumber = 0;
    QString PortSettings;
};
