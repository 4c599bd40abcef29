// SPDX-License-Identifier: MIT
#pragma once

#include "frame_sizes.h"

#include <QCoreApplication>
#include <QList>
#include <QString>

// The tool's limits and texts that more than one part shows or checks.
namespace Limits {
constexpr int kFirstAddress = 1;
constexpr int kLastAddress = 254; // the address lists offer 1 to 254
constexpr int kHighestAddress =
    ::kHighestAddress;         // a typed address may reach it, so a scan may too
constexpr int kPortCount = 10; // COM1 to COM10
// The rates the link list offers, and the scan with it.
inline const QList<int> kOfferedBaudRates = {4800, 9600, 115200};
// The rates the line dialog offers: those sensors ship at or can be moved to.
inline const QList<int> kLineBaudRates = {1200,  2400,  4800,  9600,  14400,
                                          19200, 38400, 57600, 115200};
// How long the scan and the bus watch may be told to wait for each reply.
constexpr int kShortestReplyTimeoutMs = 20;
constexpr int kLongestReplyTimeoutMs = 1000;
} // namespace Limits

// The texts several parts show, one context for their translations.
class SharedText {
    Q_DECLARE_TR_FUNCTIONS(SharedText)

public:
    // A send or a scan asked for while the port is closed.
    static QString OpenPortFirst() { return tr("请先打开串口！"); }
    // The poll, the address write or a scan asked for while another job holds the line.
    static QString LineHeldBy(const QString& purpose) {
        return tr("%1正在使用串口，请先停止%1。").arg(purpose);
    }
    // A job that needs the line to itself, asked for while acquisition runs.
    static QString StopAcquisitionFirst() { return tr("请先停止采集！"); }
    // A job that holds the line (the scan, the watch, a rate change) could not write.
    static QString WriteFailed(const QString& reason) { return tr("串口写入失败：%1").arg(reason); }
    // The features' names: their windows, menu entries, the hints that point to them, and
    // whom the line is held for.
    static QString ScanFeature() { return tr("扫描传感器"); }
    static QString WatchFeature() { return tr("多传感器监视"); }
};
