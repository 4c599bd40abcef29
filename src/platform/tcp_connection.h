// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>
#include <memory>

class QSocketNotifier;

// One TCP connection to a serial device server, driven by the event loop: the name is
// looked up on a thread of its own and the connect never blocks, so the window paints and
// takes clicks meanwhile. The system's sockets (Winsock on Windows) underneath: the Qt of
// the Windows build has no network module.
class TcpConnection final : public QObject {
    Q_OBJECT
public:
    enum class Failure { NotFound, Refused, TimedOut, Dropped };

    explicit TcpConnection(QObject* parent = nullptr);
    ~TcpConnection() override;

    // Looks host up and connects; connected() or failed() follows, within timeoutMs.
    void connectTo(const QString& host, quint16 port, int timeoutMs);
    bool isConnected() const { return connected_; }
    // Sends, or queues what the system cannot take yet; false when not connected.
    bool write(const QByteArray& bytes);
    QByteArray readAll();
    // Closes at once; says nothing.
    void close();

signals:
    void connected();
    void readyRead();
    // Connecting failed, or an open connection ended (Dropped); reason in the system's words.
    void failed(TcpConnection::Failure failure, const QString& reason);

private:
    struct Lookup;
    void checkLookup();
    void tryNextAddress();
    void onWritable();
    void onReadable();
    void flush();
    void fail(Failure failure, const QString& reason);
    void dropSocket();

    std::shared_ptr<Lookup> lookup_;
    QTimer lookupPoll_;
    QTimer deadline_;
    std::size_t nextAddress_ = 0;
    qintptr socket_ = -1;
    QSocketNotifier* readNotifier_ = nullptr;
    QSocketNotifier* writeNotifier_ = nullptr;
    QByteArray received_;
    QByteArray pending_;
    QString lastError_;
    int lastErrorCode_ = 0;
    bool connected_ = false;
};
