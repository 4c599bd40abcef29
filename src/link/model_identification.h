// SPDX-License-Identifier: MIT
#pragma once

#include "model_readings.h"
#include "scan_reply.h"
#include "sensor_model.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// What one address gave to one read.
struct ProbeAnswer {
    enum class Kind { NoReply, Registers, Exception };
    RegisterRead read;
    Kind kind = Kind::NoReply;
    int exceptionCode = 0;
    QList<quint16> words; // for Registers

    // The answer as the scan's reply finder saw it.
    static ProbeAnswer from(const RegisterRead& read, const ScanReply& reply);
};

// Where identification stands after the answers so far.
struct Identification {
    enum class Verdict {
        Ask,     // send next and call again with its answer
        Nobody,  // nothing answered the first read: no sensor at that address
        Known,   // the answers decide it: modelId
        Unknown, // a sensor is there; candidates are the models the answers leave, best first
                 // (none when no model fits)
    };
    Verdict verdict = Verdict::Ask;
    RegisterRead next;
    QString modelId;
    QStringList candidates;
};

// Plans the identification of the sensor at address among models (the catalogue's order,
// the tool's own first), one read at a time: the first is always the tool's own read, which
// a scan sends anyway, so an address where nothing answers costs nothing more. A device that
// answers it, with a reading or an exception, gets the reads that best tell the remaining
// models apart: their own reads, their identifying registers (such as a register holding
// the sensor's own address) and the further registers they have. Answers rule a model out
// when they contradict what its model says: an exception 01 to a function it uses, another
// exception where it has the registers, a reading it could not give, an identifying register
// that does not hold what it should. A reply where a model has no registers only lowers it
// against the models that expected the reply. At most kMostExtraReads follow the first.
Identification IdentifyModel(const QList<SensorModel>& models, int address,
                             const QList<ProbeAnswer>& answers);

constexpr int kMostExtraReads = 6;

// What the answers say the sensor measures, read the model's way: each readout from an
// answer whose read holds its registers (the model's read, or its other function); a
// readout no answer holds stays absent.
ModelReadings ReadingsFromAnswers(const SensorModel& model, const QList<ProbeAnswer>& answers);
