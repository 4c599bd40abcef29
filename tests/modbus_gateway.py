#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""A Modbus TCP gateway for the tests: pymodbus serves Modbus TCP on 127.0.0.1 and forwards
each request to the unit id on a serial line (the virtual sensor's pseudo-terminal), the way
an Ethernet gateway in "Modbus TCP gateway" mode does. A unit that stays silent on the serial
side is answered with exception 0B; units named with --no-path with exception 0A; unit 0
(broadcast) is not forwarded.

Prints "ready PORT" once it listens. Ends when its parent goes (standard input closes)."""

import argparse
import asyncio
import logging
import sys

from pymodbus.client import ModbusSerialClient
from pymodbus.datastore import ModbusServerContext
from pymodbus.datastore.remote import RemoteSlaveContext
from pymodbus.exceptions import ModbusIOException, NoSuchSlaveException
from pymodbus.pdu import ExceptionResponse, ModbusExceptions
from pymodbus.server import StartAsyncTcpServer

HIGHEST_UNIT = 247


class ForwardingContext(RemoteSlaveContext):
    """One unit behind the gateway: a serial read that gets no answer is the gateway's 0B."""

    def validate(self, fc_as_hex, address, count=1):
        valid = super().validate(fc_as_hex, address, count)
        if isinstance(self.result, ModbusIOException):
            raise NoSuchSlaveException(f"unit {self.unit} did not respond")
        return valid


class NoPathContext(RemoteSlaveContext):
    """A unit the gateway has no route to: nothing goes on the serial line."""

    def validate(self, fc_as_hex, address, count=1):
        raise NoSuchSlaveException(f"no path to unit {self.unit}")


def path_unavailable(units):
    """Turns the answer for a unit without a path into exception 0A."""

    def manipulate(response):
        if response.unit_id in units:
            refusal = ExceptionResponse(
                response.function_code & 0x7F, ModbusExceptions.GatewayPathUnavailable
            )
            refusal.transaction_id = response.transaction_id
            refusal.unit_id = response.unit_id
            return refusal, False
        return response, False

    return manipulate


async def watch_parent():
    """Returns when standard input closes: the test that started the gateway is gone."""
    loop = asyncio.get_running_loop()
    reader = asyncio.StreamReader()
    await loop.connect_read_pipe(lambda: asyncio.StreamReaderProtocol(reader), sys.stdin)
    while await reader.read(1024):
        pass


async def serve(options):
    client = ModbusSerialClient(
        options.serial, baudrate=options.baud, retries=0, retry_on_empty=False
    )
    # The client keeps whole seconds; a gateway's serial timeout is a fraction of one.
    client.params.timeout = options.serial_timeout
    if not client.connect():
        sys.exit(f"cannot open {options.serial}")
    # A unit missing here would be dropped unanswered, as unit 0 is.
    units = {
        unit: (NoPathContext if unit in options.no_path else ForwardingContext)(client, unit=unit)
        for unit in range(1, HIGHEST_UNIT + 1)
    }
    server = await StartAsyncTcpServer(
        context=ModbusServerContext(slaves=units, single=False),
        address=("127.0.0.1", options.port),
        defer_start=True,
        response_manipulator=path_unavailable(set(options.no_path)),
    )
    serving = asyncio.create_task(server.serve_forever())
    await server.serving
    port = server.server.sockets[0].getsockname()[1]
    print(f"ready {port}", flush=True)
    await watch_parent()
    serving.cancel()
    await server.server_close()
    client.close()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--serial", required=True, help="the serial line behind the gateway")
    parser.add_argument("--baud", type=int, default=9600)
    parser.add_argument("--port", type=int, default=0, help="TCP port; 0 for a free one")
    # Long enough for a loaded machine (a late answer would be taken for the next unit's),
    # short enough that the 0B comes before the poll's 500 ms check.
    parser.add_argument(
        "--serial-timeout", type=float, default=0.3, help="seconds to wait for a unit"
    )
    parser.add_argument(
        "--no-path", type=int, action="append", default=[], help="answer 0A for this unit"
    )
    options = parser.parse_args()
    # pymodbus complains about every call of its own remote context otherwise.
    logging.getLogger("pymodbus").setLevel(logging.CRITICAL)
    asyncio.run(serve(options))


if __name__ == "__main__":
    main()
