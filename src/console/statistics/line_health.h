// SPDX-License-Identifier: MIT
#pragma once

#include "line_statistics.h"

#include <QObject>
#include <QPointer>

class QAction;
class ReadingSource;
class StatisticsWindow;
class QWidget;
class SerialLine;

// The line's health: counts every request and judged reply of the sources it follows (the
// poll, the bus watch), starting afresh whenever the line has really opened, and shows them in the
// 通讯统计 window, opened by its action (context menu, Ctrl+I).
class LineHealth final : public QObject {
    Q_OBJECT
public:
    LineHealth(QWidget& window, const SerialLine& line);

    QAction* action() const { return action_; }
    // Counts the source's requests, the bytes that answer them and its judged cycles.
    void follow(const ReadingSource& source);
    void showWindow();

private:
    // A change of language: the window is built anew in it.
    void retranslate();
    QWidget& window_;
    LineStatistics statistics_;
    QAction* action_ = nullptr;
    QPointer<StatisticsWindow> statisticsWindow_;
};
