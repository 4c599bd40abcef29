// SPDX-License-Identifier: MIT
#include "serial_server.h"

#include "fixture_process.h"

#include <QFile>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTest>

namespace {
const QString kProgram = QStringLiteral("ser2net");

// Whether something listens on 127.0.0.1:port, from the kernel's table.
bool listening(quint16 port) {
    QFile table(QStringLiteral("/proc/net/tcp"));
    if (!table.open(QIODevice::ReadOnly))
        return false;
    const QByteArray local =
        "0100007F:" + QByteArray::number(port, 16).toUpper().rightJustified(4, '0');
    for (const QByteArray& line : table.readAll().split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() > 3 && fields[1] == local && fields[3] == "0A")
            return true;
    }
    return false;
}
} // namespace

quint16 FreeTcpPort() {
    QTcpServer probe;
    return probe.listen(QHostAddress::LocalHost) ? probe.serverPort() : 0;
}

bool SerialServer::Installed() {
    return !QStandardPaths::findExecutable(
                kProgram, {QStringLiteral("/usr/sbin"), QStringLiteral("/usr/bin")})
                .isEmpty();
}

SerialServer::~SerialServer() {
    stop();
}

bool SerialServer::start(const QString& device) {
    if (!Installed()) {
        why_ = QStringLiteral("ser2net is not installed (apt-get install ser2net)");
        return false;
    }
    if (rfc2217Port_ == 0) {
        rfc2217Port_ = FreeTcpPort();
        tcpPort_ = FreeTcpPort();
        while (tcpPort_ == rfc2217Port_)
            tcpPort_ = FreeTcpPort();
    }
    // On a pseudo-terminal ser2net cannot set modem lines; "local" leaves them alone.
    const QString config = QStringLiteral("connection: &rfc2217\n"
                                          "  accepter: telnet(rfc2217),tcp,127.0.0.1,%1\n"
                                          "  connector: serialdev,%3,9600n81,local\n"
                                          "connection: &raw\n"
                                          "  accepter: tcp,127.0.0.1,%2\n"
                                          "  connector: serialdev,%3,9600n81,local\n")
                               .arg(rfc2217Port_)
                               .arg(tcpPort_)
                               .arg(device);
    QFile file(dir_.filePath(QStringLiteral("ser2net.yaml")));
    if (!file.open(QIODevice::WriteOnly) || file.write(config.toUtf8()) < 0) {
        why_ = QStringLiteral("cannot write the configuration");
        return false;
    }
    file.close();
    process_.setProcessChannelMode(QProcess::MergedChannels);
    EndWithTheTest(process_);
    const QString program = QStandardPaths::findExecutable(
        kProgram, {QStringLiteral("/usr/sbin"), QStringLiteral("/usr/bin")});
    process_.start(program, {QStringLiteral("-n"), QStringLiteral("-u"), QStringLiteral("-c"),
                             file.fileName(), QStringLiteral("-P"),
                             dir_.filePath(QStringLiteral("ser2net.pid"))});
    if (!process_.waitForStarted(5000)) {
        why_ = QStringLiteral("ser2net did not start");
        return false;
    }
    if (!QTest::qWaitFor([this] { return listening(rfc2217Port_) && listening(tcpPort_); }, 5000)) {
        why_ = QStringLiteral("ser2net does not listen: ") +
               QString::fromLocal8Bit(process_.readAll());
        return false;
    }
    return true;
}

bool SerialServer::stop() {
    if (process_.state() == QProcess::NotRunning)
        return true;
    process_.terminate();
    if (process_.waitForFinished(3000))
        return true;
    // Never left behind to hold a port or a pipe.
    process_.kill();
    process_.waitForFinished(3000);
    return false; // it did not stop when asked
}
