// SPDX-License-Identifier: MIT
#include "server_protocol.h"

#include "modbus_tcp_protocol.h"
#include "raw_tcp_protocol.h"
#include "telnet_com_port.h"

std::unique_ptr<ServerProtocol> MakeServerProtocol(ServerAddress::Kind kind) {
    switch (kind) {
    case ServerAddress::Kind::Rfc2217:
        return std::make_unique<TelnetComPort>();
    case ServerAddress::Kind::ModbusTcp:
        return std::make_unique<ModbusTcpProtocol>();
    case ServerAddress::Kind::RawTcp:
        break;
    }
    return std::make_unique<RawTcpProtocol>();
}
