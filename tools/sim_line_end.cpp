// SPDX-License-Identifier: MIT
#include "sim_line_end.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

namespace {
int rateOf(speed_t speed) {
    switch (speed) {
    case B1200:
        return 1200;
    case B2400:
        return 2400;
    case B4800:
        return 4800;
    case B9600:
        return 9600;
    case B19200:
        return 19200;
    case B38400:
        return 38400;
    case B57600:
        return 57600;
    case B115200:
        return 115200;
    default:
        return -1;
    }
}

bool pollIn(int fd, int timeoutMs, bool* ready) {
    pollfd fds{fd, POLLIN, 0};
    const int count = poll(&fds, 1, timeoutMs);
    if (count < 0 && errno != EINTR)
        return false;
    *ready = count > 0 && (fds.revents & (POLLIN | POLLHUP | POLLERR));
    return true;
}
} // namespace

bool PtyLineEnd::wait(int timeoutMs, QByteArray* received) {
    bool ready = false;
    if (!pollIn(link_.master(), timeoutMs, &ready)) {
        std::perror("modbus-sensor-sim: poll");
        return false;
    }
    if (ready) {
        char buffer[512];
        const ssize_t count = read(link_.master(), buffer, sizeof buffer);
        if (count > 0)
            received->append(buffer, static_cast<int>(count));
    }
    return true;
}

ssize_t PtyLineEnd::send(const QByteArray& bytes) {
    return write(link_.master(), bytes.constData(), static_cast<size_t>(bytes.size()));
}

HeardLine PtyLineEnd::heard() const {
    termios line{};
    if (tcgetattr(link_.farEnd(), &line) != 0)
        return {};
    const int rate = rateOf(cfgetispeed(&line));
    return {rate > 0 ? std::optional<int>(rate) : std::nullopt, std::nullopt};
}

int PtyLineEnd::characterBits() const {
    termios line{};
    if (tcgetattr(link_.farEnd(), &line) != 0)
        return 10;
    int data = 8;
    switch (line.c_cflag & CSIZE) {
    case CS5:
        data = 5;
        break;
    case CS6:
        data = 6;
        break;
    case CS7:
        data = 7;
        break;
    default:
        break;
    }
    return 1 + data + ((line.c_cflag & PARENB) ? 1 : 0) + ((line.c_cflag & CSTOPB) ? 2 : 1);
}

ComPortLineEnd::~ComPortLineEnd() {
    dropClient();
    if (listener_ >= 0)
        close(listener_);
}

bool ComPortLineEnd::listen(int port, std::string* error) {
    listener_ = socket(AF_INET, SOCK_STREAM, 0);
    const int yes = 1;
    setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (listener_ < 0 || bind(listener_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        ::listen(listener_, 1) != 0 ||
        getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        *error = "cannot listen on 127.0.0.1:" + std::to_string(port) + ": " + std::strerror(errno);
        return false;
    }
    port_ = ntohs(address.sin_port);
    return true;
}

void ComPortLineEnd::dropClient() {
    if (client_ >= 0)
        close(client_);
    client_ = -1;
    server_ = {};
}

bool ComPortLineEnd::wait(int timeoutMs, QByteArray* received) {
    pollfd fds[2] = {{listener_, POLLIN, 0}, {client_, POLLIN, 0}};
    const int count = poll(fds, client_ >= 0 ? 2 : 1, timeoutMs);
    if (count < 0 && errno != EINTR) {
        std::perror("modbus-sensor-sim: poll");
        return false;
    }
    if (count <= 0)
        return true;
    if (fds[0].revents & POLLIN) {
        const int client = accept(listener_, nullptr, nullptr);
        if (client >= 0) {
            dropClient();
            client_ = client;
        }
        return true;
    }
    if (client_ >= 0 && (fds[1].revents & (POLLIN | POLLHUP | POLLERR))) {
        char buffer[512];
        const ssize_t got = read(client_, buffer, sizeof buffer);
        if (got <= 0) {
            dropClient();
            return true;
        }
        QByteArray answer;
        received->append(server_.decode(QByteArray(buffer, static_cast<int>(got)), &answer));
        if (!answer.isEmpty())
            ::send(client_, answer.constData(), static_cast<size_t>(answer.size()), MSG_NOSIGNAL);
    }
    return true;
}

ssize_t ComPortLineEnd::send(const QByteArray& bytes) {
    if (client_ < 0)
        return bytes.size();
    const QByteArray out = ComPortServer::encode(bytes);
    const ssize_t sent =
        ::send(client_, out.constData(), static_cast<size_t>(out.size()), MSG_NOSIGNAL);
    return sent < 0 ? sent : bytes.size();
}

HeardLine ComPortLineEnd::heard() const {
    return {server_.line().baud, server_.line().parity};
}

int ComPortLineEnd::characterBits() const {
    const ComPortServer::Line& line = server_.line();
    const bool parity = line.parity && *line.parity != 'N';
    return 1 + line.dataBits.value_or(8) + (parity ? 1 : 0) + line.stopBits.value_or(1);
}
