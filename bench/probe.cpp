// SPDX-License-Identifier: MIT
#include "probe.h"

#include "process_stats.h"
#include "record/recording_part.h"
#include "window/frmmain.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <ctime>

namespace {

long long monotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

class FirstPaint final : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            // Report once the paint has been flushed to the screen.
            QTimer::singleShot(0, this, [] {
                std::printf("painted %lld\n", monotonicNs());
                std::fflush(stdout);
                QTimer::singleShot(1000, qApp, [] {
                    std::printf("rss %ld\n", ResidentMemoryKiB());
                    std::fflush(stdout);
                    QApplication::quit();
                });
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool seen_ = false;
};

void click(QWidget& window, const char* name) {
    if (auto* button = window.findChild<QPushButton*>(QLatin1String(name)))
        button->click();
}

} // namespace

void InstallProbe(QWidget& window, const QStringList& arguments) {
    if (arguments.isEmpty())
        window.installEventFilter(new FirstPaint(&window));
}

void InstallProbe(frmmain& window, const QStringList& arguments) {
    const QString mode = arguments.value(0);
    const int seconds = arguments.value(1).toInt();
    if (mode.isEmpty()) {
        window.installEventFilter(new FirstPaint(&window));
        return;
    }
    QTimer::singleShot(seconds * 1000, qApp, &QApplication::quit);
    QTimer::singleShot(200, &window, [&window, mode] {
        click(window, "Command1");
        if (mode == QLatin1String("--poll") || mode == QLatin1String("--poll-record")) {
            if (mode == QLatin1String("--poll-record")) {
                QString error;
                if (!window.recording().start(
                        QDir::current().filePath(QStringLiteral("bench-record.csv")),
                        RecordFile::Mode::Replace, &error))
                    std::printf("record failed %s\n", qPrintable(error));
            }
            auto* status = window.findChild<QPlainTextEdit*>(QStringLiteral("Message_Show"));
            QObject::connect(status, &QPlainTextEdit::textChanged, status, [status] {
                std::printf("status %lld %s\n", monotonicNs(),
                            status->toPlainText().isEmpty() ? "-" : "verdict");
                std::fflush(stdout);
            });
            click(window, "Command_OK3");
        } else {
            auto* sampler = new QTimer(&window);
            QObject::connect(sampler, &QTimer::timeout, sampler, [] {
                std::printf("rss %lld %ld\n", monotonicNs(), ResidentMemoryKiB());
                std::fflush(stdout);
            });
            sampler->start(1000);
        }
    });
}
