// SPDX-License-Identifier: MIT
#pragma once

#include "fakes.h"
#include "frmmain.h"
#include "window_controls.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <memory>

// A window on fake platform services, started in a folder holding the given com.txt
// (none when comTxt is empty).
struct WindowFixture : FakePlatform {
    explicit WindowFixture(const QByteArray& comTxt = QByteArray("1\r\n9600\r\n")) {
        if (!comTxt.isEmpty()) {
            QFile file(dir.filePath(QStringLiteral("com.txt")));
            file.open(QIODevice::WriteOnly);
            file.write(comTxt);
        }
        window =
            std::make_unique<frmmain>(services(port, dir.path(), [this](int ms) { sleeps << ms; }));
        parts = std::make_unique<WindowControls>(*window);
    }

    frmmain& w() { return *window; }
    WindowControls& ui() { return *parts; }
    QByteArray comTxt() const {
        QFile file(dir.filePath(QStringLiteral("com.txt")));
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }
    void openPort() { parts->Command1->click(); }

    QTemporaryDir dir;
    FakeSerialControl port;
    QList<int> sleeps;
    std::unique_ptr<frmmain> window;
    std::unique_ptr<WindowControls> parts;
};
