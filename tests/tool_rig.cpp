// SPDX-License-Identifier: MIT
#include "tool_rig.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTest>
#include <QThread>

ToolRig::ToolRig(Options chosen)
    : options(std::move(chosen)), folder(options.folder.isEmpty() ? dir.path() : options.folder) {
    if (!options.comTxt.isNull())
        writeComTxt(options.comTxt);
    if (options.startWindow)
        startWindow();
}

SerialControl& ToolRig::serial() {
    if (!options.realPort)
        return port;
    if (!realPort)
        realPort = std::make_unique<PortRouter>(folder);
    return *realPort;
}

void ToolRig::startWindow() {
    parts.reset();
    window.reset();
    Services services{serial(),
                      options.messages ? *options.messages : messages,
                      web,
                      devices,
                      [this](int ms) {
                          sleeps << ms;
                          // A real line's sensor needs the quiet it asked for.
                          if (options.realPort)
                              QThread::msleep(static_cast<unsigned long>(ms));
                      },
                      folder,
                      options.realPort ? realPort.get() : nullptr};
    window = std::make_unique<frmmain>(services);
    parts = std::make_unique<WindowControls>(*window);
}

QString ToolRig::filePath(const QString& name) const {
    return QDir(folder).filePath(name);
}

void ToolRig::writeComTxt(const QByteArray& content) const {
    QFile file(filePath(QStringLiteral("com.txt")));
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(content);
}

QByteArray ToolRig::comTxt() const {
    QFile file(filePath(QStringLiteral("com.txt")));
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

QString ToolRig::nextVerdict(int timeoutMs) {
    if (!QTest::qWaitFor([&] { return status().isEmpty(); }, timeoutMs))
        return QStringLiteral("(status never cleared)");
    if (!QTest::qWaitFor([&] { return !status().isEmpty(); }, timeoutMs))
        return QStringLiteral("(no verdict)");
    return status();
}
