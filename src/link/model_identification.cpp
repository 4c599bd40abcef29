// SPDX-License-Identifier: MIT
#include "model_identification.h"

#include "frame_sizes.h"
#include "model_readings.h"

#include <QHash>
#include <algorithm>
#include <climits>

ProbeAnswer ProbeAnswer::from(const RegisterRead& read, const ScanReply& reply) {
    ProbeAnswer answer;
    answer.read = read;
    switch (reply.kind) {
    case ScanReply::Kind::None:
        break;
    case ScanReply::Kind::Exception:
        answer.kind = Kind::Exception;
        answer.exceptionCode = reply.exceptionCode;
        break;
    case ScanReply::Kind::Reading:
        if (const auto words = ReplyRegisters(reply.frame)) {
            answer.kind = Kind::Registers;
            answer.words = *words;
        }
        break;
    }
    return answer;
}

namespace {

bool sameRead(const RegisterRead& a, const RegisterRead& b) {
    return a.function == b.function && a.first == b.first && a.count == b.count;
}

bool hasAll(const SensorModel& model, const RegisterRead& read) {
    for (int reg = read.first; reg < read.first + read.count; ++reg) {
        if (!model.hasRegister(read.function, reg))
            return false;
    }
    return true;
}

// The readouts the model gives at this function: its read's, and the same registers at its
// other function.
bool readsReadoutsWith(const SensorModel& model, int function) {
    return function == model.read.function || function == model.alsoFunction;
}

// How far the answers have gone against one model.
struct Standing {
    bool ruledOut = false;
    int surprises = 0; // replies where the model has no registers
};

// Whether registers read from read.first on hold what the model says of them.
bool valuesFit(const SensorModel& model, int address, const RegisterRead& read,
               const QList<quint16>& words) {
    if (readsReadoutsWith(model, read.function)) {
        for (const auto& map : {model.temperature, model.humidity}) {
            if (!map)
                continue;
            const auto readout = DecodeReadout(*map, words, read.first, QLocale::c());
            if (readout && !readout->sensorError() &&
                (readout->value() < map->plausibleMin || readout->value() > map->plausibleMax))
                return false;
        }
    }
    for (const IdentifyingRegister& identifying : model.identifiedBy) {
        const int index = identifying.registerNumber - read.first;
        if (identifying.function != read.function || index < 0 || index >= words.size())
            continue;
        if (words[index] != identifying.fixedValue.value_or(address))
            return false;
    }
    return true;
}

void weigh(const SensorModel& model, int address, const ProbeAnswer& answer, Standing& standing) {
    switch (answer.kind) {
    case ProbeAnswer::Kind::NoReply:
        return;
    case ProbeAnswer::Kind::Exception:
        if (answer.exceptionCode == ExceptionCode::kIllegalFunction
                ? model.knowsFunction(answer.read.function)
                : hasAll(model, answer.read))
            standing.ruledOut = true;
        return;
    case ProbeAnswer::Kind::Registers: {
        if (!hasAll(model, answer.read)) {
            ++standing.surprises;
            return;
        }
        // A longer reply than asked for (the tool's own read takes eight registers) says
        // nothing of the registers beyond the read.
        const QList<quint16> words = answer.words.mid(0, answer.read.count);
        if (!valuesFit(model, address, answer.read, words))
            standing.ruledOut = true;
        return;
    }
    }
}

// What the model expects of a read, as far as it tells the models apart: a refusal, a
// reply, or a reply whose identifying register holds the address or a fixed value.
QString expectation(const SensorModel& model, const RegisterRead& read) {
    if (!hasAll(model, read))
        return QStringLiteral("refusal");
    for (const IdentifyingRegister& identifying : model.identifiedBy) {
        if (read.covers(identifying.function, identifying.registerNumber))
            return QStringLiteral("holds %1:%2")
                .arg(identifying.registerNumber)
                .arg(identifying.fixedValue ? QString::number(*identifying.fixedValue)
                                            : QStringLiteral("address"));
    }
    return QStringLiteral("reply");
}

// The reads the models' own descriptions offer, in the catalogue's order.
QList<RegisterRead> offeredReads(const QList<const SensorModel*>& models) {
    QList<RegisterRead> reads;
    const auto offer = [&](const RegisterRead& read) {
        if (std::none_of(reads.begin(), reads.end(),
                         [&](const RegisterRead& r) { return sameRead(r, read); }))
            reads << read;
    };
    for (const SensorModel* model : models) {
        offer(model->read);
        if (model->alsoFunction)
            offer({model->alsoFunction, model->read.first, model->read.count});
        for (const IdentifyingRegister& identifying : model->identifiedBy)
            offer({identifying.function, identifying.registerNumber, 1});
        for (const auto& [function, ranges] :
             {qMakePair(Function::kReadRegisters, model->holdingRegisters),
              qMakePair(Function::kReadInputRegisters, model->inputRegisters)}) {
            for (const RegisterRange& range : ranges)
                offer({function, range.first,
                       std::min(range.last - range.first + 1, FrameSize::kMaxReadRegisters)});
        }
    }
    return reads;
}

// The read, not asked yet, after which the largest group of models that expect the same is
// smallest; nothing when no read tells them apart.
std::optional<RegisterRead> bestSplit(const QList<const SensorModel*>& models,
                                      const QList<ProbeAnswer>& answers) {
    std::optional<RegisterRead> best;
    int bestLargest = static_cast<int>(models.size());
    for (const RegisterRead& read : offeredReads(models)) {
        if (std::any_of(answers.begin(), answers.end(),
                        [&](const ProbeAnswer& a) { return sameRead(a.read, read); }))
            continue;
        QHash<QString, int> groups;
        for (const SensorModel* model : models)
            ++groups[expectation(*model, read)];
        int largest = 0;
        for (const int size : groups)
            largest = std::max(largest, size);
        if (groups.size() > 1 && largest < bestLargest) {
            best = read;
            bestLargest = largest;
        }
    }
    return best;
}

Identification ask(const RegisterRead& read) {
    Identification step;
    step.next = read;
    return step;
}

Identification conclude(const QList<const SensorModel*>& models) {
    Identification verdict;
    verdict.verdict = Identification::Verdict::Unknown;
    for (const SensorModel* model : models)
        verdict.candidates << model->id;
    return verdict;
}

} // namespace

Identification IdentifyModel(const QList<SensorModel>& models, int address,
                             const QList<ProbeAnswer>& answers) {
    if (models.isEmpty())
        return conclude({});
    if (answers.isEmpty())
        return ask(models.front().read);
    if (answers.front().kind == ProbeAnswer::Kind::NoReply) {
        Identification nobody;
        nobody.verdict = Identification::Verdict::Nobody;
        return nobody;
    }

    // The models the answers leave, and of those the ones they surprised least.
    QList<const SensorModel*> remaining;
    int fewestSurprises = INT_MAX;
    QList<int> surprises;
    for (const SensorModel& model : models) {
        Standing standing;
        for (const ProbeAnswer& answer : answers)
            weigh(model, address, answer, standing);
        if (standing.ruledOut)
            continue;
        remaining << &model;
        surprises << standing.surprises;
        fewestSurprises = std::min(fewestSurprises, standing.surprises);
    }
    QList<const SensorModel*> best;
    for (qsizetype i = 0; i < remaining.size(); ++i) {
        if (surprises[i] == fewestSurprises)
            best << remaining[i];
    }
    if (best.isEmpty())
        return conclude({});

    const bool outOfReads = answers.size() > kMostExtraReads;
    if (best.size() == 1) {
        const SensorModel& model = *best.front();
        const auto ownRead = [&](const ProbeAnswer& answer) {
            return answer.read.first == model.read.first && answer.read.count == model.read.count &&
                   readsReadoutsWith(model, answer.read.function);
        };
        if (std::any_of(answers.begin(), answers.end(), [&](const ProbeAnswer& answer) {
                return ownRead(answer) && answer.kind == ProbeAnswer::Kind::Registers;
            })) {
            Identification known;
            known.verdict = Identification::Verdict::Known;
            known.modelId = model.id;
            return known;
        }
        // Named only once its own read has been seen to give readings.
        if (!outOfReads && std::none_of(answers.begin(), answers.end(), ownRead))
            return ask(model.read);
        return conclude(best);
    }
    if (!outOfReads) {
        if (const auto split = bestSplit(best, answers))
            return ask(*split);
    }
    return conclude(best);
}

ModelReadings ReadingsFromAnswers(const SensorModel& model, const QList<ProbeAnswer>& answers) {
    const auto readout = [&](const std::optional<ValueMap>& map) -> std::optional<Readout> {
        if (!map)
            return std::nullopt;
        for (const ProbeAnswer& answer : answers) {
            if (answer.kind != ProbeAnswer::Kind::Registers)
                continue;
            for (const int function : {model.read.function, model.alsoFunction}) {
                if (function != 0 &&
                    answer.read.covers(function, map->registerNumber, map->registerCount()))
                    return DecodeReadout(*map, answer.words, answer.read.first);
            }
        }
        return std::nullopt;
    };
    return {readout(model.temperature), readout(model.humidity)};
}
