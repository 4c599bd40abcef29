// SPDX-License-Identifier: MIT
#include "tcp_connection.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <mutex>
#include <thread>
#include <vector>

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
using SocketLength = int;
using NativeSocket = SOCKET;
#else
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netdb.h>
#include <sys/socket.h>
#include <unistd.h>
using SocketLength = socklen_t;
using NativeSocket = int;
#endif

namespace {

#ifdef _WIN32
bool StartSockets() {
    static const bool started = [] {
        WSADATA data;
        return WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    return started;
}
int LastError() {
    return WSAGetLastError();
}
bool WouldBlock(int error) {
    return error == WSAEWOULDBLOCK || error == WSAEINPROGRESS;
}
QString ErrorText(int error) {
    wchar_t* text = nullptr;
    FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(error), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    const QString message = text ? QString::fromWCharArray(text).trimmed() : QString();
    LocalFree(text);
    return message.isEmpty() ? QStringLiteral("error %1").arg(error) : message;
}
void CloseSocket(qintptr socket) {
    closesocket(static_cast<SOCKET>(socket));
}
bool MakeNonBlocking(qintptr socket) {
    u_long on = 1;
    return ioctlsocket(static_cast<SOCKET>(socket), FIONBIO, &on) == 0;
}
bool IsRefused(int error) {
    return error == WSAECONNREFUSED;
}
#else
bool StartSockets() {
    return true;
}
int LastError() {
    return errno;
}
bool WouldBlock(int error) {
    return error == EINPROGRESS || error == EAGAIN || error == EWOULDBLOCK;
}
QString ErrorText(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}
void CloseSocket(qintptr socket) {
    ::close(static_cast<int>(socket));
}
bool MakeNonBlocking(qintptr socket) {
    const int flags = fcntl(static_cast<int>(socket), F_GETFL, 0);
    return flags >= 0 && fcntl(static_cast<int>(socket), F_SETFL, flags | O_NONBLOCK) == 0;
}
bool IsRefused(int error) {
    return error == ECONNREFUSED;
}
#endif

NativeSocket native(qintptr socket) {
    return static_cast<NativeSocket>(socket);
}

// Nothing in a reply needs more at once; the rest waits in the system's buffer.
constexpr int kReadChunk = 4096;
constexpr int kLookupPollMs = 10;

} // namespace

// The outcome of a name look-up, shared with the thread that makes it, which may outlive
// the connection that asked.
struct TcpConnection::Lookup {
    std::mutex mutex;
    bool done = false;
    std::vector<QByteArray> addresses; // sockaddr bytes, each with its family
    std::vector<int> families;
    QString error;
};

TcpConnection::TcpConnection(QObject* parent) : QObject(parent) {
    lookupPoll_.setInterval(kLookupPollMs);
    deadline_.setSingleShot(true);
    connect(&lookupPoll_, &QTimer::timeout, this, &TcpConnection::checkLookup);
    connect(&deadline_, &QTimer::timeout, this,
            [this] { fail(Failure::TimedOut, tr("连接超时")); });
}

TcpConnection::~TcpConnection() {
    dropSocket();
}

void TcpConnection::connectTo(const QString& host, quint16 port, int timeoutMs) {
    close();
    if (!StartSockets()) {
        fail(Failure::NotFound, tr("系统的网络功能不可用"));
        return;
    }
    lastError_.clear();
    nextAddress_ = 0;
    lookup_ = std::make_shared<Lookup>();
    deadline_.start(timeoutMs);
    lookupPoll_.start();
    std::thread([lookup = lookup_, name = host.toUtf8(), service = QByteArray::number(port)] {
        addrinfo hints{};
        hints.ai_family = AF_UNSPEC;
        hints.ai_socktype = SOCK_STREAM;
        addrinfo* found = nullptr;
        const int status = getaddrinfo(name.constData(), service.constData(), &hints, &found);
        const std::lock_guard<std::mutex> hold(lookup->mutex);
        if (status != 0) {
#ifdef _WIN32
            lookup->error = ErrorText(status);
#else
            lookup->error = QString::fromLocal8Bit(gai_strerror(status));
#endif
        }
        for (const addrinfo* entry = found; entry; entry = entry->ai_next) {
            lookup->addresses.emplace_back(reinterpret_cast<const char*>(entry->ai_addr),
                                           static_cast<qsizetype>(entry->ai_addrlen));
            lookup->families.push_back(entry->ai_family);
        }
        if (found)
            freeaddrinfo(found);
        lookup->done = true;
    }).detach();
}

void TcpConnection::checkLookup() {
    {
        const std::lock_guard<std::mutex> hold(lookup_->mutex);
        if (!lookup_->done)
            return;
    }
    lookupPoll_.stop();
    if (lookup_->addresses.empty()) {
        fail(Failure::NotFound, lookup_->error.isEmpty() ? tr("找不到该主机") : lookup_->error);
        return;
    }
    tryNextAddress();
}

void TcpConnection::tryNextAddress() {
    dropSocket();
    if (nextAddress_ >= lookup_->addresses.size()) {
        fail(IsRefused(lastErrorCode_) ? Failure::Refused : Failure::NotFound, lastError_);
        return;
    }
    const QByteArray& address = lookup_->addresses[nextAddress_];
    const int family = lookup_->families[nextAddress_];
    ++nextAddress_;
    const auto handle = static_cast<qintptr>(::socket(family, SOCK_STREAM, IPPROTO_TCP));
    if (handle < 0 || !MakeNonBlocking(handle)) {
        lastErrorCode_ = LastError();
        lastError_ = ErrorText(lastErrorCode_);
        if (handle >= 0)
            CloseSocket(handle);
        tryNextAddress();
        return;
    }
    socket_ = handle;
    const int status =
        ::connect(native(socket_), reinterpret_cast<const sockaddr*>(address.constData()),
                  static_cast<SocketLength>(address.size()));
    if (status != 0 && !WouldBlock(LastError())) {
        lastErrorCode_ = LastError();
        lastError_ = ErrorText(lastErrorCode_);
        tryNextAddress();
        return;
    }
    writeNotifier_ = new QSocketNotifier(socket_, QSocketNotifier::Write, this);
    connect(writeNotifier_, &QSocketNotifier::activated, this, &TcpConnection::onWritable);
}

void TcpConnection::onWritable() {
    if (connected_) {
        flush();
        return;
    }
    int error = 0;
    SocketLength length = sizeof error;
    getsockopt(native(socket_), SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &length);
    if (error != 0) {
        lastErrorCode_ = error;
        lastError_ = ErrorText(error);
        tryNextAddress();
        return;
    }
    connected_ = true;
    deadline_.stop();
    writeNotifier_->setEnabled(false);
    readNotifier_ = new QSocketNotifier(socket_, QSocketNotifier::Read, this);
    connect(readNotifier_, &QSocketNotifier::activated, this, &TcpConnection::onReadable);
    emit connected();
}

void TcpConnection::onReadable() {
    char buffer[kReadChunk];
    const auto count = ::recv(native(socket_), buffer, sizeof buffer, 0);
    if (count > 0) {
        received_.append(buffer, static_cast<qsizetype>(count));
        emit readyRead();
        return;
    }
    if (count < 0 && WouldBlock(LastError()))
        return;
    fail(Failure::Dropped, count == 0 ? tr("服务器关闭了连接") : ErrorText(LastError()));
}

bool TcpConnection::write(const QByteArray& bytes) {
    if (!connected_)
        return false;
    pending_ += bytes;
    flush();
    return connected_;
}

void TcpConnection::flush() {
    while (!pending_.isEmpty()) {
        const auto sent =
            ::send(native(socket_), pending_.constData(), static_cast<int>(pending_.size()), 0);
        if (sent < 0) {
            if (WouldBlock(LastError()))
                break;
            fail(Failure::Dropped, ErrorText(LastError()));
            return;
        }
        pending_.remove(0, static_cast<qsizetype>(sent));
    }
    if (writeNotifier_)
        writeNotifier_->setEnabled(!pending_.isEmpty());
}

QByteArray TcpConnection::readAll() {
    QByteArray bytes;
    bytes.swap(received_);
    return bytes;
}

void TcpConnection::fail(Failure failure, const QString& reason) {
    close();
    emit failed(failure, reason);
}

void TcpConnection::close() {
    lookupPoll_.stop();
    deadline_.stop();
    lookup_.reset();
    dropSocket();
    received_.clear();
    pending_.clear();
}

void TcpConnection::dropSocket() {
    delete readNotifier_;
    readNotifier_ = nullptr;
    delete writeNotifier_;
    writeNotifier_ = nullptr;
    if (socket_ >= 0)
        CloseSocket(socket_);
    socket_ = -1;
    connected_ = false;
}
