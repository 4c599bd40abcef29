// SPDX-License-Identifier: MIT
// Times one sensor scan on COM1 of a folder (the virtual sensor's) and lists what it found;
// with "models", each sensor that answers is identified among the built-in models.
//   scan-bench FOLDER RATES TIMEOUT_MS [models]   e.g. scan-bench /tmp/x 4800,9600 100
#include "printed_messages.h"
#include "qt_serial_control.h"
#include "sensor_catalogue.h"
#include "sensor_scan.h"
#include "serial_devices.h"
#include "serial_line.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "usage: scan-bench FOLDER RATES TIMEOUT_MS [models]\n");
        return 2;
    }
    QtSerialControl port(QString::fromLocal8Bit(argv[1]));
    PrintedMessages messages;
    SystemSerialDevices devices;
    SerialLine line(port, messages, devices);
    line.toggleOpen(
        {1, QStringLiteral("9600"), QStringLiteral("N"), QStringLiteral("8"), QStringLiteral("1")});
    if (!line.shownOpen()) {
        std::fprintf(stderr, "cannot open COM1\n");
        return 1;
    }
    ScanPlan plan;
    for (const QString& rate : QString::fromLatin1(argv[2]).split(QLatin1Char(',')))
        plan.rates << rate.toInt();
    plan.timeoutMs = QString::fromLatin1(argv[3]).toInt();
    plan.line = *ParseLineSettings(QStringLiteral("9600,N,8,1"));
    if (argc > 4 && QLatin1String(argv[4]) == QLatin1String("models"))
        plan.models = SensorCatalogue().models();
    SensorScan scan(line);
    QElapsedTimer clock;
    QObject::connect(&scan, &SensorScan::found, [](const ScanFinding& finding) {
        const QString model = finding.model.verdict == Identification::Verdict::Known
                                  ? finding.model.modelId
                                  : QStringLiteral("?") + finding.model.candidates.join(u'|');
        std::printf("found %d %d %lld %s\n", finding.address, finding.baud,
                    static_cast<long long>(finding.replyMs), qPrintable(model));
    });
    QObject::connect(&scan, &SensorScan::finished, [&](bool completed, const QString& failure) {
        std::printf("elapsed %lld completed %d settings %s %s\n",
                    static_cast<long long>(clock.elapsed()), completed,
                    qPrintable(port.appliedSettings()), qPrintable(failure));
        QCoreApplication::quit();
    });
    clock.start();
    if (!scan.start(plan))
        return 1;
    return QCoreApplication::exec();
}
