// SPDX-License-Identifier: MIT
// A virtual temperature and humidity sensor on a pseudo-terminal, published as COMn in a
// folder so the tool finds it as an ordinary port.
#include "crc.h"
#include "frame_sizes.h"
#include "pty_link.h"
#include "virtual_sensor.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <optional>
#include <poll.h>
#include <string>
#include <termios.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

volatile std::sig_atomic_t stopRequested = 0;

void onSignal(int) {
    stopRequested = 1;
}

struct Config {
    VirtualSensor::Options model;
    std::vector<int> addresses{1};
    int baud = 0; // answer only at this line rate; 0 for any
    std::string folder = ".";
    int port = 1;
    bool silent = false;
    int delayMs = -1;     // a fixed reply time; -1 for the line's own timing
    bool instant = false; // answer at once, whatever the rate
    int turnaroundMs = 3; // the sensor's own time between request and reply
    double faultRate = 0;
    std::vector<std::string> faultKinds{"no-reply", "crc", "torn"};
    std::vector<int> silentAddresses;
    int chunkBytes = 0;
    int chunkGapMs = 0;
    int garbageBytes = 0;
    int floodRate = 0; // bytes per second
    std::string logPath;
};

bool parseInt(const char* text, int& out) {
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || value < -1000000000 || value > 1000000000)
        return false;
    out = static_cast<int>(value);
    return true;
}

void usage(std::FILE* to) {
    std::fputs("usage: modbus-sensor-sim [options]\n"
               "A virtual Modbus RTU temperature and humidity sensor on a pseudo-terminal,\n"
               "published as the link DIR/COMn for modbus-sensor-tool to open.\n"
               "  --dir DIR           folder for the COMn link (default .)\n"
               "  --port N            publish as COMN (default 1)\n"
               "  --address A[,B...]  Modbus address of each sensor on the line (default 1)\n"
               "  --baud RATE         answer only while the line is set to RATE\n"
               "                      (default: at any rate)\n"
               "  --temperature T     fixed temperature in tenths of a degree (default: drifting)\n"
               "  --humidity H        fixed humidity in tenths of a percent (default: drifting)\n"
               "  --silent            never answer\n"
               "  --silent-address A  the sensor at A never answers (may be repeated)\n"
               "  --bad-crc           spoil the CRC of every reply\n"
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
               "  --help              print this and exit\n",
               to);
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

// "no-reply,crc": each one of the kinds, at least one.
bool parseFaultKinds(const char* text, std::vector<std::string>& out) {
    std::vector<std::string> kinds;
    std::string rest = text;
    for (;;) {
        const auto comma = rest.find(',');
        const std::string kind = rest.substr(0, comma);
        if (kind != "no-reply" && kind != "crc" && kind != "torn")
            return false;
        kinds.push_back(kind);
        if (comma == std::string::npos)
            break;
        rest = rest.substr(comma + 1);
    }
    out = kinds;
    return true;
}

// "1,7,200": each from 1 to 255, at least one.
bool parseAddresses(const char* text, std::vector<int>& out) {
    std::vector<int> addresses;
    std::string rest = text;
    for (;;) {
        const auto comma = rest.find(',');
        const std::string item = rest.substr(0, comma);
        int value = 0;
        if (!parseInt(item.c_str(), value) || value < 1 || value > 255)
            return false;
        addresses.push_back(value);
        if (comma == std::string::npos)
            break;
        rest = rest.substr(comma + 1);
    }
    out = addresses;
    return true;
}

enum class Parsed { Run, Help, Bad };

Parsed parseArgs(int argc, char** argv, Config& config) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const auto number = [&](int& out) { return i + 1 < argc && parseInt(argv[++i], out); };
        int value = 0;
        if (arg == "--dir" && i + 1 < argc)
            config.folder = argv[++i];
        else if (arg == "--log" && i + 1 < argc)
            config.logPath = argv[++i];
        else if (arg == "--port" && number(config.port) && config.port >= 1)
            continue;
        else if (arg == "--help" || arg == "-h")
            return Parsed::Help;
        else if (arg == "--address" && i + 1 < argc && parseAddresses(argv[++i], config.addresses))
            continue;
        else if (arg == "--baud" && number(config.baud) && config.baud > 0)
            continue;
        else if (arg == "--temperature" && number(value) && value >= -32768 && value <= 32767)
            config.model.temperature = value;
        else if (arg == "--humidity" && number(value) && value >= 0 && value <= 65535)
            config.model.humidity = value;
        else if (arg == "--silent")
            config.silent = true;
        else if (arg == "--silent-address" && number(value) && value >= 1 && value <= 255)
            config.silentAddresses.push_back(value);
        else if (arg == "--instant")
            config.instant = true;
        else if (arg == "--turnaround" && number(config.turnaroundMs) && config.turnaroundMs >= 0)
            continue;
        else if (arg == "--fault-rate" && i + 1 < argc && parseShare(argv[++i], config.faultRate))
            continue;
        else if (arg == "--faults" && i + 1 < argc && parseFaultKinds(argv[++i], config.faultKinds))
            continue;
        else if (arg == "--bad-crc")
            config.model.badCrc = true;
        else if (arg == "--exception")
            config.model.exceptionReply = true;
        else if ((arg == "--delay" || arg == "--reply-after") && number(config.delayMs) &&
                 config.delayMs >= 0)
            continue;
        else if (arg == "--chunk" && number(config.chunkBytes) && config.chunkBytes >= 1)
            continue;
        else if (arg == "--gap" && number(config.chunkGapMs) && config.chunkGapMs >= 0)
            continue;
        else if (arg == "--garbage" && number(config.garbageBytes) && config.garbageBytes >= 0)
            continue;
        else if (arg == "--flood" && number(config.floodRate) && config.floodRate >= 0)
            continue;
        else if (arg == "--seed" && number(value))
            config.model.seed = static_cast<std::uint32_t>(value);
        else {
            std::fprintf(stderr, "modbus-sensor-sim: bad option %s\n", arg.c_str());
            usage(stderr);
            return Parsed::Bad;
        }
    }
    if (config.chunkBytes > 0 && config.chunkGapMs == 0)
        config.chunkGapMs = 20;
    if (config.instant && config.delayMs < 0)
        config.delayMs = 0;
    return Parsed::Run;
}

// Bits a character takes at the line's setting: start, data, parity, stop.
int characterBits(int deviceSide) {
    termios line{};
    if (tcgetattr(deviceSide, &line) != 0)
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

// The rate the tool set on the line, read from our own descriptor of the device side.
int lineRate(int deviceSide) {
    termios line{};
    if (tcgetattr(deviceSide, &line) != 0)
        return 0;
    switch (cfgetispeed(&line)) {
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

class FrameLog {
public:
    explicit FrameLog(const std::string& path) {
        if (!path.empty())
            file_ = std::fopen(path.c_str(), "a");
    }
    ~FrameLog() {
        if (file_)
            std::fclose(file_);
    }
    bool failed(const std::string& path) const { return !path.empty() && !file_; }
    void write(const char* direction, const QByteArray& bytes) {
        if (!file_)
            return;
        const double seconds =
            std::chrono::duration<double>(Clock::now().time_since_epoch()).count();
        std::fprintf(file_, "%.6f %s", seconds, direction);
        for (const char c : bytes)
            std::fprintf(file_, " %02X", static_cast<unsigned char>(c));
        std::fputc('\n', file_);
        std::fflush(file_);
    }

private:
    std::FILE* file_ = nullptr;
};

struct Pending {
    Clock::time_point due;
    QByteArray bytes;
};

} // namespace

// The sensor side of the line: reads requests, frames them, answers with the configured
// faults, and floods when asked.
class SimulatedLine {
public:
    SimulatedLine(const Config& config, const PtyLink& line)
        : config_(config), line_(line), log_(config.logPath),
          sensors_(config.model, config.addresses), random_(config.model.seed ^ 0x9E3779B9u),
          floodStart_(Clock::now()) {
        if (log_.failed(config.logPath))
            std::fprintf(stderr, "modbus-sensor-sim: cannot write log %s\n",
                         config.logPath.c_str());
    }

    // One turn: wait for bytes or for the next reply to fall due, then do what is due.
    bool turn() {
        if (!readAvailable())
            return false;
        takeFrames();
        dropStaleFragment();
        sendDueReplies();
        flood();
        return true;
    }

private:
    QByteArray randomBytes(int count) {
        std::uniform_int_distribution<int> anyByte(0, 255);
        QByteArray bytes;
        for (int i = 0; i < count; ++i)
            bytes.append(static_cast<char>(anyByte(random_)));
        return bytes;
    }

    bool readAvailable() {
        int timeoutMs = 50;
        if (!pending_.empty()) {
            const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(
                                  pending_.front().due - Clock::now())
                                  .count();
            timeoutMs = static_cast<int>(std::clamp<long long>(wait, 0, 50));
        }
        if (config_.floodRate > 0 || !received_.isEmpty())
            timeoutMs = std::min(timeoutMs, 10);
        pollfd fds{line_.master(), POLLIN, 0};
        const int ready = poll(&fds, 1, timeoutMs);
        if (ready < 0 && errno != EINTR) {
            std::perror("modbus-sensor-sim: poll");
            return false;
        }
        if (ready > 0 && (fds.revents & POLLIN)) {
            char buffer[512];
            const ssize_t count = read(line_.master(), buffer, sizeof buffer);
            if (count > 0) {
                received_.append(buffer, static_cast<int>(count));
                lastByte_ = Clock::now();
            }
        }
        return true;
    }

    // Frames are eight bytes; a bad CRC means we are out of step, so slide by one.
    void takeFrames() {
        while (received_.size() >= FrameSize::kRequest) {
            const QByteArray frame = received_.left(FrameSize::kRequest);
            if (!HasValidCrc(frame)) {
                received_.remove(0, 1);
                continue;
            }
            received_.remove(0, FrameSize::kRequest);
            // At another rate than ours the frame would be noise to a real sensor.
            if (config_.baud > 0 && lineRate(line_.farEnd()) != config_.baud) {
                log_.write("RX-RATE", frame);
                continue;
            }
            log_.write("RX", frame);
            scheduleReply(frame);
        }
    }

    // When a reply of replyBytes would have arrived in full on a real line: the request's
    // wire time, the silence that ends it, the turnaround and the reply's own wire time.
    std::chrono::microseconds lineDelay(int replyBytes) const {
        const int rate = lineRate(line_.farEnd());
        if (rate <= 0)
            return std::chrono::milliseconds(config_.turnaroundMs);
        const double bitUs = 1e6 / rate;
        const int bits = characterBits(line_.farEnd());
        const double silenceUs = rate > 19200 ? 1750.0 : 3.5 * bits * bitUs;
        const double us = (FrameSize::kRequest + replyBytes) * bits * bitUs + silenceUs +
                          config_.turnaroundMs * 1000.0;
        return std::chrono::microseconds(static_cast<long long>(us));
    }

    // A fault now and then, when asked for: nothing, a spoilt CRC, or a reply cut short.
    std::optional<QByteArray> withChanceFault(QByteArray reply) {
        if (config_.faultRate <= 0)
            return reply;
        std::uniform_real_distribution<double> chance(0.0, 1.0);
        if (chance(random_) >= config_.faultRate)
            return reply;
        std::uniform_int_distribution<std::size_t> pick(0, config_.faultKinds.size() - 1);
        const std::string& kind = config_.faultKinds[pick(random_)];
        log_.write(("FAULT-" + kind).c_str(), reply);
        if (kind == "no-reply")
            return std::nullopt;
        if (kind == "crc") {
            reply[reply.size() - 1] = static_cast<char>(reply[reply.size() - 1] ^ 0x3C);
            return reply;
        }
        std::uniform_int_distribution<int> keep(1, static_cast<int>(reply.size()) - 1);
        return reply.left(keep(random_));
    }

    // The answer with the faults asked for: silence, garbage in front, delay, pieces.
    void scheduleReply(const QByteArray& frame) {
        if (config_.silent ||
            std::find(config_.silentAddresses.begin(), config_.silentAddresses.end(),
                      static_cast<std::uint8_t>(frame[0])) != config_.silentAddresses.end())
            return;
        auto reply = sensors_.answer(frame);
        if (reply)
            reply = withChanceFault(*reply);
        if (!reply)
            return;
        const QByteArray out = randomBytes(config_.garbageBytes) + *reply;
        auto due = Clock::now() + (config_.delayMs >= 0
                                       ? std::chrono::microseconds(config_.delayMs * 1000LL)
                                       : lineDelay(static_cast<int>(out.size())));
        const int piece =
            config_.chunkBytes > 0 ? config_.chunkBytes : static_cast<int>(out.size());
        for (int offset = 0; offset < out.size(); offset += piece) {
            pending_.push_back({due, out.mid(offset, piece)});
            due += std::chrono::milliseconds(config_.chunkGapMs);
        }
    }

    // A fragment that never completes is line noise.
    void dropStaleFragment() {
        if (!received_.isEmpty() && Clock::now() - lastByte_ > std::chrono::milliseconds(50)) {
            log_.write("RX-DROP", received_);
            received_.clear();
        }
    }

    void sendDueReplies() {
        while (!pending_.empty() && pending_.front().due <= Clock::now()) {
            QByteArray& bytes = pending_.front().bytes;
            const ssize_t written =
                write(line_.master(), bytes.constData(), static_cast<size_t>(bytes.size()));
            if (written > 0)
                log_.write("TX", bytes.left(static_cast<int>(written)));
            if (written > 0 && written < bytes.size()) {
                bytes.remove(0, static_cast<int>(written)); // the rest when there is room
                break;
            }
            // Sent, or nobody is reading and the line is full: gone either way.
            pending_.pop_front();
        }
    }

    void flood() {
        if (config_.floodRate <= 0)
            return;
        const double elapsed = std::chrono::duration<double>(Clock::now() - floodStart_).count();
        const long long due = static_cast<long long>(elapsed * config_.floodRate);
        const int count = static_cast<int>(std::min<long long>(due - floodSent_, 4096));
        if (count <= 0)
            return;
        const QByteArray noise = randomBytes(count);
        // Bytes nobody reads are dropped, as on a line with no listener.
        [[maybe_unused]] const ssize_t written =
            write(line_.master(), noise.constData(), static_cast<size_t>(count));
        floodSent_ = due;
    }

    const Config& config_;
    const PtyLink& line_;
    FrameLog log_;
    SensorBus sensors_;
    std::mt19937 random_;
    QByteArray received_;
    Clock::time_point lastByte_ = Clock::now();
    std::deque<Pending> pending_;
    const Clock::time_point floodStart_;
    long long floodSent_ = 0;
};

int main(int argc, char** argv) {
    Config config;
    switch (parseArgs(argc, argv, config)) {
    case Parsed::Help:
        usage(stdout);
        return 0;
    case Parsed::Bad:
        return 2;
    case Parsed::Run:
        break;
    }

    PtyLink line;
    std::string error;
    if (!line.open(config.folder, config.port, &error)) {
        std::fprintf(stderr, "modbus-sensor-sim: %s\n", error.c_str());
        return 1;
    }
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    signal(SIGPIPE, SIG_IGN);

    SimulatedLine sensor(config, line);
    std::string addressList;
    for (const int address : config.addresses)
        addressList += (addressList.empty() ? "" : ",") + std::to_string(address);
    std::printf("ready %s -> %s (address %s)\n", line.link().c_str(), line.device().c_str(),
                addressList.c_str());
    std::fflush(stdout);

    while (!stopRequested && sensor.turn()) {
    }
    return 0; // the line removes its link
}
