// SPDX-License-Identifier: MIT
#pragma once

#include "line_format.h"
#include "tool_settings.h"

#include <QObject>
#include <QPointer>
#include <functional>

class LineSettingsDialog;
class MessageSink;
class QAction;
class QWidget;
class SerialLine;

// 线路设置… (Ctrl+B): the rate, parity and stop bits of the line, for the open port or the
// next open. The format is kept in the tool's settings file (8N1 when never chosen); the
// rate goes to com.txt with the rate list, as it always has.
class LineSettingsPart final : public QObject {
    Q_OBJECT
public:
    struct Shown {
        int baud = 0;
        LineFormat format;
    };
    // shown: what the link lists show now; note: what to say of the chosen port (a raw TCP
    // server keeps its own format), empty for nothing.
    LineSettingsPart(QWidget& window, const SerialLine& line, MessageSink& messages,
                     const QString& settingsFolder, std::function<Shown()> shown,
                     std::function<QString()> note);

    QAction* action() const { return action_; }
    // The format kept from the last choice.
    LineFormat keptFormat() const { return settings_.lineFormat(); }
    // The format now in force, for the next start.
    void keep(const LineFormat& format);
    void showDialog();

signals:
    // The operator chose a line.
    void lineChosen(int baud, const LineFormat& format);

private:
    // A change of language: an open dialog is built anew in it.
    void retranslate();
    void choose();

    QWidget& window_;
    const SerialLine& line_;
    MessageSink& messages_;
    ToolSettings settings_;
    std::function<Shown()> shown_;
    std::function<QString()> note_;
    QAction* action_ = nullptr;
    QPointer<LineSettingsDialog> dialog_;
};
