// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <map>
#include <optional>

// A serial device server that a port number of the port list is mapped to.
struct ServerAddress {
    enum class Kind {
        Rfc2217, // Telnet COM port control: the tool sets the server's line
        RawTcp,  // bytes pass unchanged; the server keeps its own line settings
        // A Modbus TCP gateway: requests go as Modbus TCP (no CRC) to the unit id, the
        // gateway keeps its own line settings.
        ModbusTcp,
    };
    Kind kind = Kind::Rfc2217;
    QString host;
    quint16 port = 0;

    // "rfc2217 host:port", "tcp host:port" or "modbus-tcp host:port", as the settings file
    // keeps it.
    QString text() const;
    // Reads text(); IPv6 addresses go in brackets ("tcp [::1]:4001").
    static std::optional<ServerAddress> Parse(const QString& text);
    bool operator==(const ServerAddress& other) const {
        return kind == other.kind && host == other.host && port == other.port;
    }
};

// Port number to server; ports not in it are local serial ports.
using ServerMap = std::map<int, ServerAddress>;

// Where the tool's serial-port control sends each port number.
class PortMapping {
public:
    virtual ~PortMapping() = default;
    virtual void setServers(const ServerMap& servers) = 0;
};
