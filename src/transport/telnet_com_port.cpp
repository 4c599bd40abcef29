// SPDX-License-Identifier: MIT
#include "telnet_com_port.h"

#include "rfc2217.h"

namespace {

// SET-PARITY's and SET-STOPSIZE's values; the first is the default.
struct ParityCode {
    QSerialPort::Parity parity;
    quint8 code;
};
constexpr ParityCode kParityCodes[] = {{QSerialPort::NoParity, 1},
                                       {QSerialPort::OddParity, 2},
                                       {QSerialPort::EvenParity, 3},
                                       {QSerialPort::MarkParity, 4},
                                       {QSerialPort::SpaceParity, 5}};
struct StopSizeCode {
    QSerialPort::StopBits stopBits;
    quint8 code;
};
constexpr StopSizeCode kStopSizeCodes[] = {
    {QSerialPort::OneStop, 1}, {QSerialPort::TwoStop, 2}, {QSerialPort::OneAndHalfStop, 3}};

// Options the tool speaks itself, and those it lets the server speak.
bool weSpeak(quint8 option) {
    return option == Telnet::kBinary || option == Telnet::kComPort ||
           option == Telnet::kSuppressGoAhead;
}

QByteArray bytes(std::initializer_list<quint8> values) {
    QByteArray out;
    for (const quint8 value : values)
        out += static_cast<char>(value);
    return out;
}

QByteArray command(quint8 verb, quint8 option) {
    return bytes({Telnet::kIac, verb, option});
}

QByteArray subnegotiate(quint8 code, const QByteArray& value) {
    QByteArray out = bytes({Telnet::kIac, Telnet::kSb, Telnet::kComPort, code});
    out += TelnetComPort::EncodeData(value);
    return out + bytes({Telnet::kIac, Telnet::kSe});
}

QByteArray oneByte(int value) {
    return QByteArray(1, static_cast<char>(value));
}

} // namespace

QByteArray TelnetComPort::start() {
    // Asked for already: the server's agreement needs no answer.
    weWill_[Telnet::kComPort] = weWill_[Telnet::kBinary] = theyWill_[Telnet::kBinary] = true;
    return command(Telnet::kWill, Telnet::kComPort) + command(Telnet::kWill, Telnet::kBinary) +
           command(Telnet::kDo, Telnet::kBinary);
}

QByteArray TelnetComPort::EncodeData(const QByteArray& data) {
    QByteArray out;
    out.reserve(data.size() + data.count(static_cast<char>(Telnet::kIac)));
    for (const char byte : data) {
        out += byte;
        if (static_cast<quint8>(byte) == Telnet::kIac)
            out += byte;
    }
    return out;
}

QByteArray TelnetComPort::EncodeSettings(const LineSettings& settings) {
    const quint32 baud = static_cast<quint32>(settings.baudRate);
    QByteArray rate;
    for (const int shift : {24, 16, 8, 0})
        rate += static_cast<char>((baud >> shift) & 0xFF);
    quint8 parity = kParityCodes[0].code;
    for (const auto& fact : kParityCodes)
        if (fact.parity == settings.parity)
            parity = fact.code;
    quint8 stop = kStopSizeCodes[0].code;
    for (const auto& fact : kStopSizeCodes)
        if (fact.stopBits == settings.stopBits)
            stop = fact.code;
    return subnegotiate(ComPort::kSetBaud, rate) +
           subnegotiate(ComPort::kSetDataSize, oneByte(settings.dataBits)) +
           subnegotiate(ComPort::kSetParity, oneByte(parity)) +
           subnegotiate(ComPort::kSetStopSize, oneByte(stop));
}

void TelnetComPort::fail(const QString& why) {
    if (error_.isEmpty())
        error_ = why;
}

ServerProtocol::Agreement TelnetComPort::agreement() const {
    if (failed() || comPortRefused_)
        return Agreement::Refused;
    return comPortAgreed_ ? Agreement::Agreed : Agreement::Waiting;
}

QString TelnetComPort::refusal() const {
    if (failed())
        return tr("串口服务器的 Telnet 协商无效：%1").arg(error_);
    if (comPortRefused_)
        return tr("串口服务器不支持 RFC 2217 串口控制");
    if (!comPortAgreed_)
        return tr("串口服务器没有回应 RFC 2217 协商（它是否只做 TCP 原样转发？）");
    return {};
}

QByteArray TelnetComPort::decode(const QByteArray& bytes, QByteArray* answer) {
    QByteArray data;
    for (const char c : bytes) {
        if (failed())
            break;
        const auto byte = static_cast<quint8>(c);
        switch (state_) {
        case State::Data:
            if (byte == Telnet::kIac)
                state_ = State::Iac;
            else
                data += c;
            break;
        case State::Iac:
            if (byte == Telnet::kIac) {
                data += c;
                state_ = State::Data;
            } else if (byte >= Telnet::kWill) {
                command_ = byte;
                state_ = State::Option;
            } else if (byte == Telnet::kSb) {
                sub_.clear();
                state_ = State::Subnegotiation;
            } else if (byte == Telnet::kSe) {
                fail(tr("子协商结束符前没有子协商"));
            } else {
                // NOP, data mark, break, go ahead and the like carry nothing for us.
                state_ = State::Data;
            }
            break;
        case State::Option:
            negotiate(command_, byte, answer);
            state_ = State::Data;
            break;
        case State::Subnegotiation:
            if (byte == Telnet::kIac)
                state_ = State::SubIac;
            else
                sub_ += c;
            if (sub_.size() > ComPort::kLongestSubnegotiation)
                fail(tr("子协商过长"));
            break;
        case State::SubIac:
            if (byte == Telnet::kIac) {
                sub_ += c;
                state_ = State::Subnegotiation;
            } else if (byte == Telnet::kSe) {
                // The server's answers to the line settings confirm what was asked.
                state_ = State::Data;
            } else {
                fail(tr("子协商中出现无效命令 %1").arg(byte));
            }
            break;
        }
    }
    return data;
}

// Agree to what we speak, refuse the rest, and answer a request only when it changes
// something, so that two sides never loop.
void TelnetComPort::negotiate(quint8 verb, quint8 option, QByteArray* answer) {
    switch (verb) {
    case Telnet::kDo:
        if (option == Telnet::kComPort)
            comPortAgreed_ = true;
        if (weSpeak(option) && !weWill_[option]) {
            weWill_[option] = true;
            *answer += command(Telnet::kWill, option);
        } else if (!weSpeak(option)) {
            *answer += command(Telnet::kWont, option);
        }
        break;
    case Telnet::kDont:
        if (option == Telnet::kComPort)
            comPortRefused_ = true;
        if (weWill_[option]) {
            weWill_[option] = false;
            *answer += command(Telnet::kWont, option);
        }
        break;
    case Telnet::kWill:
        if (weSpeak(option) && !theyWill_[option]) {
            theyWill_[option] = true;
            *answer += command(Telnet::kDo, option);
        } else if (!weSpeak(option)) {
            *answer += command(Telnet::kDont, option);
        }
        break;
    case Telnet::kWont:
        if (theyWill_[option]) {
            theyWill_[option] = false;
            *answer += command(Telnet::kDont, option);
        }
        break;
    default:
        break;
    }
}
