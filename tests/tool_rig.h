// SPDX-License-Identifier: MIT
#pragma once

#include "fakes.h"
#include "port_router.h"
#include "serial_line.h"
#include "window/frmmain.h"
#include "window_controls.h"

#include <QTemporaryDir>
#include <memory>

// The tool's window on fake platform services, in a folder holding com.txt. The serial
// port is a fake that records what it is asked, or the tool's own control (for the virtual
// sensor's pseudo-terminal, directly or behind a serial server).
struct ToolRig : FakePlatform {
    struct Options {
        // Written before the window starts; a null array writes no file, an empty one an
        // empty file.
        QByteArray comTxt = QByteArray("1\r\n9600\r\n");
        bool realPort = false;
        QString folder;                  // a fresh temporary folder when empty
        MessageSink* messages = nullptr; // instead of the recording sink
        bool startWindow = true;
    };

    ToolRig() : ToolRig(Options{}) {}
    explicit ToolRig(const QByteArray& comTxt) : ToolRig(WithComTxt(comTxt)) {}
    explicit ToolRig(Options options);

    static Options WithComTxt(const QByteArray& comTxt) {
        Options options;
        options.comTxt = comTxt;
        return options;
    }

    // A (new) window on the folder, reading com.txt as it stands.
    void startWindow();
    void writeComTxt(const QByteArray& content) const;
    QByteArray comTxt() const;
    QString filePath(const QString& name) const;

    frmmain& w() { return *window; }
    WindowControls& ui() { return *parts; }
    SerialControl& serial();
    void openPort() { parts->Command1->click(); }
    QString status() const { return parts->Message_Show->toPlainText(); }
    // Waits for the next verdict of the reply check and returns it (or why there was none).
    QString nextVerdict(int timeoutMs = 1500);

    Options options;
    QTemporaryDir dir;
    QString folder;
    FakeSerialControl port;
    std::unique_ptr<PortRouter> realPort;
    QList<int> sleeps;
    std::unique_ptr<frmmain> window;
    std::unique_ptr<WindowControls> parts;
};

// A serial line and what runs on it, without a window: the fake port, shown open or not.
struct LineRig : FakePlatform {
    explicit LineRig(bool open = false) { port.open = open; }
    FakeSerialControl port;
    SerialLine line{port, messages, devices};
};
