// SPDX-License-Identifier: MIT
#include "gateway_server.h"

#include "fixture_process.h"

#include <QFileInfo>
#include <QTest>

namespace {
// Debian's python3-pymodbus lives beside the system's interpreter, not in a user's.
const QString kPython = QStringLiteral("/usr/bin/python3");
constexpr int kStartMs = 10000;
} // namespace

bool GatewayServer::Installed() {
    if (!QFileInfo(kPython).isExecutable())
        return false;
    QProcess probe;
    probe.start(kPython, {QStringLiteral("-c"), QStringLiteral("import pymodbus.server, serial")});
    return probe.waitForFinished(kStartMs) && probe.exitStatus() == QProcess::NormalExit &&
           probe.exitCode() == 0;
}

GatewayServer::~GatewayServer() {
    stop();
}

bool GatewayServer::start(const QString& device, const QList<int>& unitsWithoutPath) {
    if (!Installed()) {
        why_ = QStringLiteral("pymodbus is not installed (scripts/deps installs python3-pymodbus)");
        return false;
    }
    QStringList arguments{QStringLiteral(MODBUS_GATEWAY_SCRIPT), QStringLiteral("--serial"),
                          device};
    for (const int unit : unitsWithoutPath)
        arguments << QStringLiteral("--no-path") << QString::number(unit);
    // Its standard input stays open to this process: the script also ends when that closes.
    EndWithTheTest(process_);
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start(kPython, arguments);
    if (!process_.waitForStarted(kStartMs)) {
        why_ = QStringLiteral("the gateway did not start: ") + process_.errorString();
        return false;
    }
    if (!QTest::qWaitFor(
            [this] {
                return process_.canReadLine() || !process_.isOpen() ||
                       process_.state() == QProcess::NotRunning;
            },
            kStartMs) ||
        !process_.canReadLine()) {
        why_ = QStringLiteral("the gateway does not listen");
        return false;
    }
    const QByteArray ready = process_.readLine().trimmed();
    port_ = static_cast<quint16>(ready.mid(ready.indexOf(' ') + 1).toUInt());
    if (!ready.startsWith("ready ") || port_ == 0) {
        why_ = QStringLiteral("the gateway said: ") + QString::fromLocal8Bit(ready);
        return false;
    }
    return true;
}

void GatewayServer::stop() {
    if (process_.state() == QProcess::NotRunning)
        return;
    process_.closeWriteChannel();
    if (!process_.waitForFinished(3000)) {
        process_.kill();
        process_.waitForFinished(3000);
    }
}
