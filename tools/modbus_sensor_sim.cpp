// SPDX-License-Identifier: MIT
// A virtual temperature and humidity sensor on a pseudo-terminal, published as COMn in a
// folder so the tool finds it as an ordinary port.
#include "crc.h"
#include "frame_sizes.h"
#include "pty_link.h"
#include "sensor_catalogue.h"
#include "sim_line_end.h"
#include "sim_options.h"
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
volatile std::sig_atomic_t powerCycleRequested = 0;

void onSignal(int) {
    stopRequested = 1;
}

// SIGHUP: the sensors are switched off and on.
void onPowerCycle(int) {
    powerCycleRequested = 1;
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
    SimulatedLine(const SimConfig& config, const std::vector<VirtualSensor::Options>& sensors,
                  SimLineEnd& line)
        : config_(config), line_(line), log_(config.logPath), sensors_(sensors),
          random_(config.sensor.seed ^ 0x9E3779B9u), floodStart_(Clock::now()) {
        if (log_.failed(config.logPath))
            std::fprintf(stderr, "modbus-sensor-sim: cannot write log %s\n",
                         config.logPath.c_str());
    }

    // One turn: wait for bytes or for the next reply to fall due, then do what is due.
    bool turn() {
        if (powerCycleRequested) {
            powerCycleRequested = 0;
            sensors_.powerCycle();
            log_.write("POWER-CYCLE", {});
        }
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
        const int before = received_.size();
        if (!line_.wait(timeoutMs, &received_))
            return false;
        if (received_.size() > before)
            lastByte_ = Clock::now();
        return true;
    }

    // A bad CRC means we are out of step, so slide by one.
    void takeFrames() {
        for (;;) {
            const FrameStart start = FindRequestStart(received_);
            if (start.kind == FrameStart::Kind::Wait)
                return;
            if (start.kind == FrameStart::Kind::Garbage) {
                received_.remove(0, 1);
                continue;
            }
            const QByteArray frame = received_.left(start.length);
            received_.remove(0, start.length);
            // At another rate than theirs the frame would be noise to real sensors.
            const HeardLine line = line_.heard();
            if (!sensors_.anyHears(line)) {
                log_.write("RX-RATE", frame);
                continue;
            }
            log_.write("RX", frame);
            scheduleReply(frame, line);
        }
    }

    // When a reply of replyBytes would have arrived in full on a real line: the request's
    // wire time, the silence that ends it, the turnaround and the reply's own wire time.
    std::chrono::microseconds lineDelay(int requestBytes, int replyBytes) const {
        const int rate = line_.heard().baud.value_or(0);
        if (rate <= 0)
            return std::chrono::milliseconds(config_.turnaroundMs);
        const double bitUs = 1e6 / rate;
        const int bits = line_.characterBits();
        const double silenceUs = rate > 19200 ? 1750.0 : 3.5 * bits * bitUs;
        const double us =
            (requestBytes + replyBytes) * bits * bitUs + silenceUs + config_.turnaroundMs * 1000.0;
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
    void scheduleReply(const QByteArray& frame, const HeardLine& line) {
        if (config_.silent ||
            std::find(config_.silentAddresses.begin(), config_.silentAddresses.end(),
                      static_cast<std::uint8_t>(frame[0])) != config_.silentAddresses.end())
            return;
        auto reply = sensors_.answer(frame, line);
        if (reply)
            reply = withChanceFault(*reply);
        if (!reply)
            return;
        const QByteArray out = randomBytes(config_.garbageBytes) + *reply;
        auto due = Clock::now() +
                   (config_.delayMs >= 0
                        ? std::chrono::microseconds(config_.delayMs * 1000LL)
                        : lineDelay(static_cast<int>(frame.size()), static_cast<int>(out.size())));
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
            const ssize_t written = line_.send(bytes);
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
        [[maybe_unused]] const ssize_t written = line_.send(noise);
        floodSent_ = due;
    }

    const SimConfig& config_;
    SimLineEnd& line_;
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
    SimConfig config;
    const ParsedArgs parsed = ParseSimArgs(argc, argv, config);
    switch (parsed.outcome) {
    case ParsedArgs::Outcome::Help:
        std::fputs(SimUsage(SensorCatalogue::load(QString::fromStdString(config.folder))).c_str(),
                   stdout);
        return 0;
    case ParsedArgs::Outcome::Version:
        std::printf("modbus-sensor-sim %s\n", SENSOR_TOOL_VERSION);
        return 0;
    case ParsedArgs::Outcome::Bad:
        std::fprintf(stderr, "modbus-sensor-sim: %s\n", parsed.problem.c_str());
        return 2;
    case ParsedArgs::Outcome::Run:
        break;
    }
    // The users' own models, from the same file as the tool's.
    const SensorCatalogue catalogue = SensorCatalogue::load(QString::fromStdString(config.folder));
    for (const QString& problem : catalogue.problems())
        std::fprintf(stderr, "modbus-sensor-sim: %s\n", problem.toLocal8Bit().constData());
    std::string problem;
    const auto sensors = SimSensors(config, catalogue, &problem);
    if (sensors.empty()) {
        std::fprintf(stderr, "modbus-sensor-sim: %s\n", problem.c_str());
        return 2;
    }

    PtyLink link;
    ComPortLineEnd endpoint;
    std::string error;
    const bool served = config.rfc2217Port >= 0;
    if (served ? !endpoint.listen(config.rfc2217Port, &error)
               : !link.open(config.folder, config.port, &error)) {
        std::fprintf(stderr, "modbus-sensor-sim: %s\n", error.c_str());
        return 1;
    }
    PtyLineEnd pty(link);
    SimLineEnd& line = served ? static_cast<SimLineEnd&>(endpoint) : pty;
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    struct sigaction powerCycle {};
    powerCycle.sa_handler = onPowerCycle;
    sigaction(SIGHUP, &powerCycle, nullptr);
    signal(SIGPIPE, SIG_IGN);

    SimulatedLine sensor(config, sensors, line);
    std::string addressList;
    for (const VirtualSensor::Options& one : sensors)
        addressList += (addressList.empty() ? "" : ",") + std::to_string(one.address);
    if (served)
        std::printf("ready rfc2217 127.0.0.1:%d (address %s)\n", endpoint.port(),
                    addressList.c_str());
    else
        std::printf("ready %s -> %s (address %s)\n", link.link().c_str(), link.device().c_str(),
                    addressList.c_str());
    std::fflush(stdout);

    while (!stopRequested && sensor.turn()) {
    }
    return 0; // the line removes its link
}
