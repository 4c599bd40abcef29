// SPDX-License-Identifier: MIT
// Runs the bus watch on COM1 of a folder (the virtual sensor's) for some rounds and prints
// how long each kept the line busy, with what each address's turns came to.
//   watch-bench FOLDER RATE ADDRESSES ROUNDS TIMEOUT_MS [SERVER]
//   e.g. watch-bench /tmp/x 9600 1-8 20 200 "rfc2217 127.0.0.1:4001"
// With SERVER, COM1 is mapped to that serial device server.
#include "address_list.h"
#include "bus_watch.h"
#include "port_router.h"
#include "printed_messages.h"
#include "serial_devices.h"
#include "serial_line.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (argc < 6) {
        std::fprintf(stderr, "usage: watch-bench FOLDER RATE ADDRESSES ROUNDS TIMEOUT_MS\n");
        return 2;
    }
    const QString rate = QString::fromLatin1(argv[2]);
    const AddressList addresses = ParseAddressList(QString::fromLocal8Bit(argv[3]));
    const int rounds = QString::fromLatin1(argv[4]).toInt();
    if (!addresses.ok()) {
        std::fprintf(stderr, "%s\n", qPrintable(addresses.error));
        return 2;
    }
    PortRouter port(QString::fromLocal8Bit(argv[1]));
    if (argc > 6) {
        const auto server = ServerAddress::Parse(QString::fromLocal8Bit(argv[6]));
        if (!server) {
            std::fprintf(stderr, "not a server: %s\n", argv[6]);
            return 2;
        }
        port.setServers({{1, *server}});
    }
    PrintedMessages messages;
    SystemSerialDevices devices;
    SerialLine line(port, messages, devices);
    line.toggleOpen({1, rate, QStringLiteral("N"), QStringLiteral("8"), QStringLiteral("1")});
    // A serial server's connection opens with the event loop running.
    while (line.opening())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    if (line.openPortNumber() == 0) {
        std::fprintf(stderr, "cannot open COM1\n");
        return 1;
    }
    BusWatch watch(line);
    int good = 0, judged = 0;
    QObject::connect(&watch, &BusWatch::cycleJudged, [&](const JudgedCycle& cycle, qint64 replyMs) {
        ++judged;
        good += cycle.verdict.accepted() ? 1 : 0;
        std::printf("reply %d %lld\n", cycle.address, static_cast<long long>(replyMs));
    });
    QObject::connect(&watch, &BusWatch::roundEnded, [&](int round, qint64 busyMs) {
        std::printf("round %d %lld\n", round, static_cast<long long>(busyMs));
        std::fflush(stdout);
        if (round >= rounds) {
            std::printf("judged %d good %d\n", judged, good);
            watch.stop();
            QCoreApplication::quit();
        }
    });
    QObject::connect(&watch, &BusWatch::stopped, [](const QString& failure) {
        if (!failure.isEmpty()) {
            std::fprintf(stderr, "%s\n", qPrintable(failure));
            QCoreApplication::exit(1);
        }
    });
    if (!watch.start(
            {addresses.addresses, QString::fromLatin1(argv[5]).toInt(), line.lineSettings()}))
        return 1;
    return QCoreApplication::exec();
}
