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
    std::string error;
    if (!line_.open(folder.toStdString(), port, &error))
        qWarning("%s", error.c_str());
}

void PtyPair::send(const QByteArray& bytes) {
    QVERIFY(write(line_.master(), bytes.constData(), static_cast<size_t>(bytes.size())) ==
            bytes.size());
}

QByteArray PtyPair::receive(int expected, int timeoutMs) {
    QByteArray got;
    QElapsedTimer clock;
    clock.start();
    while (got.size() < expected && clock.elapsed() < timeoutMs) {
        pollfd fds{line_.master(), POLLIN, 0};
        if (poll(&fds, 1, 20) > 0) {
            char buffer[256];
            const ssize_t count = read(line_.master(), buffer, sizeof buffer);
            if (count > 0)
                got.append(buffer, static_cast<int>(count));
        }
    }
    return got;
}

QString PtyPair::lineSettings() const {
    termios line{};
    if (tcgetattr(line_.farEnd(), &line) != 0)
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
