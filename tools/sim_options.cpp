// SPDX-License-Identifier: MIT
#include "sim_options.h"

#include "sensor_catalogue.h"
#include "tool_limits.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <functional>

namespace {

bool parseInt(const char* text, int& out) {
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || value < -1000000000 || value > 1000000000)
        return false;
    out = static_cast<int>(value);
    return true;
}

bool parseIntIn(const char* text, int low, int high, int& out) {
    int value = 0;
    if (!parseInt(text, value) || value < low || value > high)
        return false;
    out = value;
    return true;
}

// A share from 0 to 1.
bool parseShare(const char* text, double& out) {
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(text, &end);
    if (errno != 0 || end == text || *end != '\0' || !(value >= 0 && value <= 1))
        return false;
    out = value;
    return true;
}

std::vector<std::string> splitAtCommas(const std::string& text) {
    std::vector<std::string> items;
    std::string::size_type from = 0;
    for (;;) {
        const auto comma = text.find(',', from);
        items.push_back(text.substr(from, comma - from));
        if (comma == std::string::npos)
            return items;
        from = comma + 1;
    }
}

// "no-reply,crc": each one of the kinds, at least one.
bool parseFaultKinds(const char* text, std::vector<std::string>& out) {
    std::vector<std::string> kinds = splitAtCommas(text);
    for (const std::string& kind : kinds) {
        if (kind != "no-reply" && kind != "crc" && kind != "torn")
            return false;
    }
    out = kinds;
    return true;
}

bool parseAddress(const std::string& text, int& out) {
    return parseIntIn(text.c_str(), Limits::kFirstAddress, Limits::kHighestAddress, out);
}

// "1,7,200": each from 1 to 255, at least one.
bool parseAddresses(const char* text, std::vector<int>& out) {
    std::vector<int> addresses;
    for (const std::string& item : splitAtCommas(text)) {
        int value = 0;
        if (!parseAddress(item, value))
            return false;
        addresses.push_back(value);
    }
    out = addresses;
    return true;
}

// "1:default,2:xy-md02,3": an address each, with its model or none.
bool parseBus(const char* text, std::vector<std::pair<int, std::string>>& out) {
    std::vector<std::pair<int, std::string>> bus;
    for (const std::string& item : splitAtCommas(text)) {
        const auto colon = item.find(':');
        int address = 0;
        if (!parseAddress(item.substr(0, colon), address))
            return false;
        const std::string model = colon == std::string::npos ? "" : item.substr(colon + 1);
        if (colon != std::string::npos && model.empty())
            return false;
        bus.emplace_back(address, model);
    }
    out = bus;
    return true;
}

struct Option {
    const char* name;
    const char* expected; // what its value should be; nullptr for a flag
    std::function<bool(const char*, SimConfig&)> take;
};

const std::vector<Option>& options() {
    using C = SimConfig;
    static const std::vector<Option> table = {
        {"--dir", "a folder", [](const char* v, C& c) { return (c.folder = v), true; }},
        {"--log", "a file", [](const char* v, C& c) { return (c.logPath = v), true; }},
        {"--port", "a port number from 1",
         [](const char* v, C& c) { return parseIntIn(v, 1, 1000000, c.port); }},
        {"--rfc2217", "a TCP port from 0 to 65535 (0: any free one)",
         [](const char* v, C& c) { return parseIntIn(v, 0, 65535, c.rfc2217Port); }},
        {"--address", "addresses from 1 to 255, such as 1,7,200",
         [](const char* v, C& c) { return parseAddresses(v, c.addresses); }},
        {"--model", "a model id (--help lists them)",
         [](const char* v, C& c) { return (c.model = v), !c.model.empty(); }},
        {"--bus", "ADDRESS:MODEL items joined by commas, such as 1:default,2:xy-md02",
         [](const char* v, C& c) { return parseBus(v, c.bus); }},
        {"--any-line", nullptr, [](const char*, C& c) { return (c.anyLine = true); }},
        {"--baud", "a rate in baud, such as 9600",
         [](const char* v, C& c) { return parseIntIn(v, 1, 100000000, c.baud); }},
        {"--temperature", "tenths of a degree from -32768 to 32767",
         [](const char* v, C& c) {
             int t = 0;
             return parseIntIn(v, -32768, 32767, t) && (c.sensor.temperature = t, true);
         }},
        {"--humidity", "tenths of a percent from 0 to 65535",
         [](const char* v, C& c) {
             int h = 0;
             return parseIntIn(v, 0, 65535, h) && (c.sensor.humidity = h, true);
         }},
        {"--sensor-error", nullptr,
         [](const char*, C& c) { return (c.sensor.sensorError = true); }},
        {"--silent", nullptr, [](const char*, C& c) { return (c.silent = true); }},
        {"--silent-address", "an address from 1 to 255",
         [](const char* v, C& c) {
             int a = 0;
             return parseAddress(v, a) && (c.silentAddresses.push_back(a), true);
         }},
        {"--instant", nullptr, [](const char*, C& c) { return (c.instant = true); }},
        {"--turnaround", "milliseconds, 0 or more",
         [](const char* v, C& c) { return parseIntIn(v, 0, 1000000, c.turnaroundMs); }},
        {"--reply-after", "milliseconds, 0 or more",
         [](const char* v, C& c) { return parseIntIn(v, 0, 1000000, c.delayMs); }},
        {"--delay", "milliseconds, 0 or more",
         [](const char* v, C& c) { return parseIntIn(v, 0, 1000000, c.delayMs); }},
        {"--fault-rate", "a share from 0 to 1",
         [](const char* v, C& c) { return parseShare(v, c.faultRate); }},
        {"--faults", "no-reply, crc or torn, joined by commas",
         [](const char* v, C& c) { return parseFaultKinds(v, c.faultKinds); }},
        {"--bad-crc", nullptr, [](const char*, C& c) { return (c.sensor.badCrc = true); }},
        {"--exception", nullptr,
         [](const char*, C& c) { return (c.sensor.exceptionReply = true); }},
        {"--chunk", "a byte count from 1",
         [](const char* v, C& c) { return parseIntIn(v, 1, 1000000, c.chunkBytes); }},
        {"--gap", "milliseconds, 0 or more",
         [](const char* v, C& c) { return parseIntIn(v, 0, 1000000, c.chunkGapMs); }},
        {"--garbage", "a byte count, 0 or more",
         [](const char* v, C& c) { return parseIntIn(v, 0, 1000000, c.garbageBytes); }},
        {"--flood", "bytes per second, 0 or more",
         [](const char* v, C& c) { return parseIntIn(v, 0, 100000000, c.floodRate); }},
        {"--seed", "a whole number",
         [](const char* v, C& c) {
             int s = 0;
             return parseInt(v, s) && (c.sensor.seed = static_cast<std::uint32_t>(s), true);
         }},
    };
    return table;
}

ParsedArgs bad(const std::string& problem) {
    return {ParsedArgs::Outcome::Bad, problem};
}

// "03 HR0-1" for a read.
std::string readText(const RegisterRead& read) {
    const std::string kind = read.function == 0x04 ? "IR" : "HR";
    std::string text =
        "0" + std::to_string(read.function) + " " + kind + std::to_string(read.first);
    if (read.count > 1)
        text += "-" + std::to_string(read.first + read.count - 1);
    return text;
}

} // namespace

ParsedArgs ParseSimArgs(int argc, const char* const* argv, SimConfig& config) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h")
            return {ParsedArgs::Outcome::Help, {}};
        if (arg == "--version")
            return {ParsedArgs::Outcome::Version, {}};
        const auto& table = options();
        const auto option = std::find_if(table.begin(), table.end(),
                                         [&](const Option& o) { return arg == o.name; });
        if (option == table.end())
            return bad("unknown option " + arg + " (--help lists the options)");
        if (!option->expected) {
            option->take(nullptr, config);
            continue;
        }
        if (i + 1 >= argc)
            return bad(arg + " needs a value: " + option->expected);
        const char* value = argv[++i];
        if (!option->take(value, config))
            return bad(arg + " " + value + ": wrong value; expected " + option->expected);
    }
    if (!config.bus.empty() && config.addresses != std::vector<int>{1})
        return bad("--bus names the addresses; leave out --address");
    if (config.chunkBytes > 0 && config.chunkGapMs == 0)
        config.chunkGapMs = 20;
    if (config.instant && config.delayMs < 0)
        config.delayMs = 0;
    return {};
}

std::vector<VirtualSensor::Options>
SimSensors(const SimConfig& config, const SensorCatalogue& catalogue, std::string* problem) {
    std::vector<std::pair<int, std::string>> wanted = config.bus;
    if (wanted.empty()) {
        for (const int address : config.addresses)
            wanted.emplace_back(address, std::string());
    }
    std::vector<VirtualSensor::Options> sensors;
    for (const auto& [address, own] : wanted) {
        const std::string id = own.empty() ? config.model : own;
        VirtualSensor::Options sensor = config.sensor;
        sensor.address = address;
        const SensorModel* model = catalogue.find(
            QString::fromStdString(id.empty() ? std::string(ModelId::kToolsOwn) : id));
        if (!model) {
            std::string known;
            for (const SensorModel& m : catalogue.models())
                known += (known.empty() ? "" : ", ") + m.id.toStdString();
            *problem = "no model " + id + "; the models are " + known;
            return {};
        }
        sensor.model = *model;
        // A model named is a sensor set to its line; none named answers as it always has.
        if (!id.empty() && !config.anyLine) {
            sensor.baud = model->line.baud;
            sensor.parity = model->line.format.parity.toLatin1();
        }
        if (config.baud > 0)
            sensor.baud = config.baud;
        sensors.push_back(sensor);
    }
    return sensors;
}

std::string SimUsage(const SensorCatalogue& catalogue) {
    std::string models;
    for (const SensorModel& model : catalogue.models()) {
        std::string id = model.id.toStdString();
        id.resize(std::max<std::size_t>(id.size(), 14), ' ');
        models += "  " + id + " " + model.name.en.toStdString() + ": " + readText(model.read) +
                  ", " + model.line.text().toStdString() + "\n";
    }
    return "usage: modbus-sensor-sim [options]\n"
           "A virtual Modbus RTU temperature and humidity sensor on a pseudo-terminal,\n"
           "published as the link DIR/COMn for modbus-sensor-tool to open.\n"
           "  --dir DIR           folder for the COMn link (default .); its\n"
           "                      sensor-models.json adds models, as for the tool\n"
           "  --port N            publish as COMN (default 1)\n"
           "  --rfc2217 PORT      serve the line as an RFC 2217 serial server on\n"
           "                      127.0.0.1:PORT instead (0: any free port, named in the\n"
           "                      ready line), told the rate, parity and stop bits: a\n"
           "                      frame at another rate or parity than a sensor's is\n"
           "                      noise to it (a pseudo-terminal keeps no parity)\n"
           "  --address A[,B...]  Modbus address of each sensor on the line (default 1)\n"
           "  --model ID          every sensor speaks this model, on its line\n"
           "  --bus A:ID[,B:ID...] one sensor per address, each with its model\n"
           "  --any-line          answer at any rate and parity all the same\n"
           "  --baud RATE         answer only while the line is set to RATE\n"
           "                      (default: the model's rate, or any without a model)\n"
           "  --temperature T     fixed temperature in tenths of a degree (default: drifting)\n"
           "  --humidity H        fixed humidity in tenths of a percent (default: drifting)\n"
           "  --sensor-error      send the model's sensor-error value instead\n"
           "  --silent            never answer\n"
           "  --silent-address A  the sensor at A never answers (may be repeated)\n"
           "  --bad-crc           spoil the CRC of every reply\n"
           "A model's sensor answers its functions and registers (exception 01 for another\n"
           "function, 02 for another register), takes a new address its model's way, and\n"
           "after a power cycle where its model needs one: send SIGHUP. A new rate in its rate\n"
           "register moves the rate it listens at, at once or after the power cycle, as its\n"
           "model says; its correction registers shift its readings.\n"
           "Models (--model ID, --bus A:ID):\n" +
           models +
           "Timing: by default a reply arrives when it would on a real line at the rate\n"
           "the line is set to: the request's and the reply's wire time (10 bits a\n"
           "character at 8N1, 11 with parity or two stop bits), the 3.5-character\n"
           "silence and the turnaround.\n"
           "  --turnaround MS     the sensor's time between request and reply (default 3)\n"
           "  --instant           answer at once, whatever the rate\n"
           "  --reply-after MS    answer MS milliseconds after the request\n"
           "  --delay MS          the same as --reply-after\n"
           "Faults now and then, chosen by --seed:\n"
           "  --fault-rate P      spoil a share P (0 to 1) of the replies ...\n"
           "  --faults K[,K...]   ... in these ways: no-reply, crc, torn (a reply cut\n"
           "                      short); default all three\n"
           "  --chunk N           send replies in pieces of N bytes ...\n"
           "  --gap MS            ... MS milliseconds apart (default 20)\n"
           "  --garbage N         put N random bytes before every reply\n"
           "  --exception         answer reads with exception 02\n"
           "  --flood RATE        send RATE random bytes per second all the time\n"
           "  --seed S            random seed (default 1)\n"
           "  --log FILE          log every frame with a monotonic timestamp\n"
           "  --version           print the version and exit\n"
           "  --help              print this and exit\n";
}
