// SPDX-License-Identifier: MIT
#include "pty_pair.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTest>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

PtyPair::PtyPair(const QString& folder, int port) {
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0)
        return;
    device_ = QString::fromLocal8Bit(ptsname(master));
    keepAlive_ = open(ptsname(master), O_RDWR | O_NOCTTY);
    termios raw{};
    tcgetattr(keepAlive_, &raw);
    cfmakeraw(&raw);
    tcsetattr(keepAlive_, TCSANOW, &raw);
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
    link_ = QDir(folder).filePath(QStringLiteral("COM%1").arg(port));
    QFile::remove(link_);
    if (!QFile::link(device_, link_)) {
        close(master);
        return;
    }
    master_ = master;
}

PtyPair::~PtyPair() {
    closeMaster();
    if (keepAlive_ >= 0)
        close(keepAlive_);
    if (!link_.isEmpty())
        QFile::remove(link_);
}

void PtyPair::closeMaster() {
    if (master_ >= 0)
        close(master_);
    master_ = -1;
}

void PtyPair::send(const QByteArray& bytes) {
    QVERIFY(write(master_, bytes.constData(), static_cast<size_t>(bytes.size())) == bytes.size());
}

QByteArray PtyPair::receive(int expected, int timeoutMs) {
    QByteArray got;
    QElapsedTimer clock;
    clock.start();
    while (got.size() < expected && clock.elapsed() < timeoutMs) {
        pollfd fds{master_, POLLIN, 0};
        if (poll(&fds, 1, 20) > 0) {
            char buffer[256];
            const ssize_t count = read(master_, buffer, sizeof buffer);
            if (count > 0)
                got.append(buffer, static_cast<int>(count));
        }
    }
    return got;
}

QString PtyPair::lineSettings() const {
    termios line{};
    if (tcgetattr(keepAlive_, &line) != 0)
        return {};
    const speed_t speed = cfgetospeed(&line);
    const int baud = speed == B4800     ? 4800
                     : speed == B9600   ? 9600
                     : speed == B19200  ? 19200
                     : speed == B115200 ? 115200
                                        : -1;
    const char parity = !(line.c_cflag & PARENB) ? 'N' : (line.c_cflag & PARODD) ? 'O' : 'E';
    const tcflag_t size = line.c_cflag & CSIZE;
    const int dataBits = size == CS8 ? 8 : size == CS7 ? 7 : size == CS6 ? 6 : 5;
    return QStringLiteral("%1,%2,%3,%4")
        .arg(baud)
        .arg(QLatin1Char(parity))
        .arg(dataBits)
        .arg((line.c_cflag & CSTOPB) ? 2 : 1);
}
