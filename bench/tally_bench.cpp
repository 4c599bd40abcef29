// SPDX-License-Identifier: MIT
// A simulated week of the bus watch on 32 sensors: every judged turn goes through the
// watch's tally, its table (the changed row read as the view paints it) and the line
// statistics, on a simulated clock. Prints, for each simulated hour, the resident memory
// and the processor time each turn took (processor time: on a shared machine the wall clock
// measures the neighbours too), so that growth in either shows.
//   tally-bench [HOURS]   (a week, 168, unless told)
#include "line_statistics.h"
#include "process_stats.h"
#include "readings.h"
#include "watch/watch_table_model.h"
#include "watch_tally.h"

#include <QCoreApplication>
#include <cstdio>
#include <ctime>

namespace {
constexpr int kSensors = 32;
constexpr qint64 kRoundMs = 700;
constexpr qint64 kHourMs = 60LL * 60 * 1000;

// A sensor's turn: most answer in 18 to 40 ms; every 97th turn is silent, every 211th a CRC
// error, so every column of the table keeps changing.
JudgedCycle turn(qint64 ms, int address, quint64 n, qint64* replyMs) {
    JudgedCycle cycle;
    cycle.time = QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC);
    cycle.address = address;
    cycle.acquiring = true;
    *replyMs = -1;
    if (n % 97 == 0) {
        cycle.verdict = {ReplyFault::NoReply, 0};
    } else if (n % 211 == 0) {
        cycle.verdict = {ReplyFault::CrcError, 0};
        *replyMs = 25;
    } else {
        cycle.verdict = {ReplyFault::None, 0};
        *replyMs = 18 + static_cast<qint64>((n * 2654435761u) % 23);
        const int tenths = 200 + static_cast<int>(n % 50);
        const int humidity = 500 + static_cast<int>(n % 70);
        cycle.readings = ModelReadings{Readout{tenths, 1, FormatTenths(tenths) + QChar(0x2103)},
                                       Readout{humidity, 1, FormatTenths(humidity) + '%'}};
    }
    return cycle;
}
} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const int hours = argc > 1 ? QString::fromLatin1(argv[1]).toInt() : 7 * 24;
    QList<int> addresses;
    for (int a = 1; a <= kSensors; ++a)
        addresses << a;
    qint64 now = 1'800'000'000'000;
    LineStatistics statistics([&now] { return now; });
    WatchTally tally;
    tally.begin(addresses);
    WatchTableModel table(tally);
    table.reset();

    quint64 n = 0;
    qint64 checksum = 0; // keeps the painted texts from being optimised away
    const qint64 roundsPerHour = kHourMs / kRoundMs;
    for (int hour = 1; hour <= hours; ++hour) {
        const std::clock_t hourStart = std::clock();
        quint64 cycles = 0;
        for (qint64 round = 0; round < roundsPerHour; ++round) {
            const qint64 roundStart = now;
            for (int s = 0; s < kSensors; ++s, ++n, ++cycles) {
                qint64 replyMs = -1;
                const JudgedCycle cycle = turn(now, addresses[s], n, &replyMs);
                statistics.requestSent();
                if (replyMs >= 0) {
                    now += replyMs;
                    statistics.bytesReceived();
                }
                statistics.cycleJudged(cycle.verdict);
                const int row = tally.add(cycle, replyMs);
                table.rowChanged(row);
                for (int column = 0; column < WatchTableModel::kColumns; ++column)
                    checksum +=
                        table.data(table.index(row, column), Qt::DisplayRole).toString().size();
                now += 2;
            }
            now = std::max(now, roundStart + kRoundMs);
        }
        const double nsPerCycle =
            static_cast<double>(std::clock() - hourStart) * 1e9 / CLOCKS_PER_SEC / cycles;
        std::printf("hour %d cycles %llu ns_per_cycle %.0f rss_kib %ld\n", hour,
                    static_cast<unsigned long long>(n), nsPerCycle, ResidentMemoryKiB());
        std::fflush(stdout);
    }
    const auto summary = statistics.summary();
    std::printf("judged %d median_ms %lld checksum %lld\n", summary.accepted + summary.refused,
                static_cast<long long>(summary.medianMs.value_or(-1)),
                static_cast<long long>(checksum));
    return 0;
}
