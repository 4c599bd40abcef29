// SPDX-License-Identifier: MIT
#include "com_port_server.h"

#include "rfc2217.h"

namespace {
using namespace Telnet;
using namespace ComPort;

QByteArray bytes(std::initializer_list<quint8> values) {
    QByteArray out;
    for (const quint8 value : values)
        out += static_cast<char>(value);
    return out;
}
} // namespace

QByteArray ComPortServer::encode(const QByteArray& data) {
    QByteArray out;
    for (const char byte : data) {
        out += byte;
        if (static_cast<quint8>(byte) == kIac)
            out += byte;
    }
    return out;
}

void ComPortServer::negotiate(quint8 verb, quint8 option, QByteArray* answer) {
    const bool known = option == kBinary || option == kComPort || option == kSuppressGoAhead;
    if (verb == kWill)
        *answer += bytes({kIac, static_cast<quint8>(known ? kDo : kDont), option});
    else if (verb == kDo)
        *answer += bytes({kIac, static_cast<quint8>(known ? kWill : kWont), option});
}

void ComPortServer::setting(QByteArray* answer) {
    if (sub_.size() < 3 || static_cast<quint8>(sub_[0]) != kComPort)
        return;
    const quint8 code = static_cast<quint8>(sub_[1]);
    const QByteArray value = sub_.mid(2);
    const auto first = static_cast<quint8>(value[0]);
    switch (code) {
    case kSetBaud:
        if (value.size() == 4) {
            int baud = 0;
            for (const char byte : value)
                baud = baud << 8 | static_cast<quint8>(byte);
            if (baud > 0)
                line_.baud = baud;
        }
        break;
    case kSetDataSize:
        if (first >= 5 && first <= 8)
            line_.dataBits = first;
        break;
    case kSetParity:
        if (first >= 1 && first <= 5)
            line_.parity = "NOEMS"[first - 1];
        break;
    case kSetStopSize:
        if (first == 1 || first == 2)
            line_.stopBits = first;
        break;
    default:
        return;
    }
    *answer += bytes({kIac, kSb, kComPort, static_cast<quint8>(code + kServerAnswer)}) +
               encode(value) + bytes({kIac, kSe});
}

QByteArray ComPortServer::decode(const QByteArray& in, QByteArray* answer) {
    QByteArray data;
    for (const char c : in) {
        const auto byte = static_cast<quint8>(c);
        switch (state_) {
        case State::Data:
            if (byte == kIac)
                state_ = State::Iac;
            else
                data += c;
            break;
        case State::Iac:
            if (byte == kIac) {
                data += c;
                state_ = State::Data;
            } else if (byte == kSb) {
                sub_.clear();
                state_ = State::Subnegotiation;
            } else if (byte >= kWill && byte <= kDont) {
                verb_ = byte;
                state_ = State::Option;
            } else {
                state_ = State::Data;
            }
            break;
        case State::Option:
            negotiate(verb_, byte, answer);
            state_ = State::Data;
            break;
        case State::Subnegotiation:
            if (byte == kIac)
                state_ = State::SubIac;
            else if (sub_.size() < kLongestSubnegotiation)
                sub_ += c;
            break;
        case State::SubIac:
            if (byte == kSe) {
                setting(answer);
                state_ = State::Data;
            } else {
                if (sub_.size() < kLongestSubnegotiation)
                    sub_ += c;
                state_ = State::Subnegotiation;
            }
            break;
        }
    }
    return data;
}
