// SPDX-License-Identifier: MIT
#pragma once

#include "virtual_sensor.h"

#include <string>
#include <utility>
#include <vector>

class SensorCatalogue;

// The virtual sensor's command line.
struct SimConfig {
    VirtualSensor::Options sensor; // what every sensor on the line shares
    std::vector<int> addresses{1};
    std::string model;                            // --model; empty when not named
    std::vector<std::pair<int, std::string>> bus; // --bus: address and model (empty: --model's)
    bool anyLine = false;                         // answer at any rate and parity
    int baud = 0;                                 // answer only at this line rate; 0 for any
    std::string folder = ".";
    int port = 1;
    int rfc2217Port = -1; // serve an RFC 2217 endpoint on 127.0.0.1 at it (0: any free port)
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

struct ParsedArgs {
    enum class Outcome { Run, Help, Version, Bad };
    Outcome outcome = Outcome::Run;
    std::string problem; // for Bad: one line saying what is wrong
};

ParsedArgs ParseSimArgs(int argc, const char* const* argv, SimConfig& config);

// The sensors the configuration puts on the line, each with its model from the catalogue
// and the line it listens at; empty with *problem set when a model is unknown.
std::vector<VirtualSensor::Options>
SimSensors(const SimConfig& config, const SensorCatalogue& catalogue, std::string* problem);

// The usage text, with the models of the catalogue.
std::string SimUsage(const SensorCatalogue& catalogue);
