// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QTimer>

class QLabel;
class WebLauncher;

// Label9: the web address whose colour Timer3 changes every second and which opens in the
// browser when clicked. The window's Timer3_Timer and Label9_Click forward here.
class LinkLabel final : public QObject {
    Q_OBJECT
public:
    static constexpr int kRecolourMs = 1000;

    LinkLabel(QLabel& label, WebLauncher& web);

    void start() { Timer3.start(); }
    void stop() { Timer3.stop(); }
    void recolour();
    // False when no browser could be started.
    bool openAddress();

signals:
    void tick();
    void clicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel& label_;
    WebLauncher& web_;
    QTimer Timer3{this};
};
