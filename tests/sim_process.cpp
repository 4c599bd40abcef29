// SPDX-License-Identifier: MIT
#include "sim_process.h"

#include "fixture_process.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <csignal>

SimProcess::SimProcess(const QString& folder, int port) : folder_(folder), port_(port) {}

SimProcess::~SimProcess() {
    stop();
}

QString SimProcess::linkPath() const {
    return QDir(folder_).filePath(QStringLiteral("COM%1").arg(port_));
}

QString SimProcess::logPath() const {
    return QDir(folder_).filePath(QStringLiteral("sensor-COM%1.log").arg(port_));
}

bool SimProcess::start(const QStringList& options) {
    QFile::remove(logPath());
    // Tests want replies at once unless they ask for a line's timing.
    QStringList timing;
    if (!options.contains(QStringLiteral("--turnaround")) &&
        !options.contains(QStringLiteral("--reply-after")) &&
        !options.contains(QStringLiteral("--delay")))
        timing << QStringLiteral("--instant");
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    EndWithTheTest(process_);
    process_.start(QStringLiteral(SENSOR_SIM_PATH),
                   QStringList{QStringLiteral("--dir"), folder_, QStringLiteral("--port"),
                               QString::number(port_), QStringLiteral("--log"), logPath()} +
                       timing + options);
    if (!process_.waitForStarted(5000))
        return false;
    if (!process_.waitForReadyRead(5000))
        return false;
    const QByteArray ready = process_.readAllStandardOutput();
    const QByteArray served("ready rfc2217 127.0.0.1:");
    if (ready.startsWith(served)) {
        rfc2217Port_ = ready.mid(served.size()).split(' ').first().toInt();
        return rfc2217Port_ > 0;
    }
    return ready.startsWith("ready") && QFileInfo(linkPath()).isSymLink();
}

bool SimProcess::stop() {
    if (process_.state() == QProcess::NotRunning)
        return process_.exitStatus() == QProcess::NormalExit && process_.exitCode() == 0;
    process_.terminate();
    if (!process_.waitForFinished(5000)) {
        process_.kill();
        process_.waitForFinished(5000);
        return false;
    }
    return process_.exitStatus() == QProcess::NormalExit && process_.exitCode() == 0;
}

bool SimProcess::powerCycle() {
    const std::size_t before = frames(QStringLiteral("POWER-CYCLE")).size();
    if (process_.state() != QProcess::Running || ::kill(process_.processId(), SIGHUP) != 0)
        return false;
    return QTest::qWaitFor([&] { return frames(QStringLiteral("POWER-CYCLE")).size() > before; },
                           5000);
}

std::vector<SimProcess::Frame> SimProcess::frames(const QString& direction) const {
    std::vector<Frame> result;
    QFile log(logPath());
    if (!log.open(QIODevice::ReadOnly))
        return result;
    while (!log.atEnd()) {
        const QString line = QString::fromLatin1(log.readLine()).trimmed();
        const QString seconds = line.section(QLatin1Char(' '), 0, 0);
        if (line.section(QLatin1Char(' '), 1, 1) != direction)
            continue;
        result.push_back(
            {seconds.toDouble(), line.section(QLatin1Char(' '), 2) + QLatin1Char(' ')});
    }
    return result;
}

PortHolder::~PortHolder() {
    if (process_.state() != QProcess::NotRunning) {
        process_.closeWriteChannel();
        if (!process_.waitForFinished(3000))
            process_.kill();
        process_.waitForFinished(3000);
    }
}

bool PortHolder::hold(const QString& devicePath) {
    EndWithTheTest(process_);
    process_.start(QStringLiteral(PORT_HOLDER_PATH), {devicePath});
    return process_.waitForStarted(5000) && process_.waitForReadyRead(5000) &&
           process_.readAllStandardOutput().startsWith("held");
}
