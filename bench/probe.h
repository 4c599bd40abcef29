// SPDX-License-Identifier: MIT
#pragma once

#include <QStringList>

class frmmain;
class QWidget;

// Measurement hooks for the benchmark builds; never part of the shipped tool.
//   (no arguments)      print "painted <ns>" after the first paint, "rss <KiB>" a second later,
//   quit
//   --poll SECONDS      open the port, start acquisition, print every status line with its time
//   --watch SECONDS     open the port only, print resident memory every second
// Times are CLOCK_MONOTONIC nanoseconds, the clock the virtual sensor logs with.
void InstallProbe(QWidget& window, const QStringList& arguments);
void InstallProbe(frmmain& window, const QStringList& arguments);
