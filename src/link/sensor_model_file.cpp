// SPDX-License-Identifier: MIT
#include "sensor_model_file.h"

#include "frame_sizes.h"
#include "json_locator.h"
#include "readings.h"
#include "tool_limits.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>
#include <cmath>

namespace {

using Keys = std::initializer_list<const char*>;

constexpr int kLastRegister = 0xFFFF;
constexpr int kLowestBaud = 300;
constexpr int kHighestBaud = 921600;
constexpr int kMostDecimals = 3;

// What a readout is when the file says no more: its names, unit and the readings a working
// sensor gives.
struct ReadoutDefaults {
    ModelName name;
    QString unit;
    double plausibleMin;
    double plausibleMax;
};

ReadoutDefaults temperatureDefaults() {
    return {{QStringLiteral("温度"), QStringLiteral("Temperature")}, Unit::kCelsius, -40, 125};
}

ReadoutDefaults humidityDefaults() {
    return {{QStringLiteral("湿度"), QStringLiteral("Humidity")}, Unit::kPercent, 0, 100};
}

// The names a file uses for the enumerations.
const QList<QPair<QString, ValueEncoding>> kEncodings = {
    {QStringLiteral("int16"), ValueEncoding::Int16},
    {QStringLiteral("uint16"), ValueEncoding::UInt16},
    {QStringLiteral("sign-magnitude"), ValueEncoding::SignMagnitude},
    {QStringLiteral("float32"), ValueEncoding::Float32}};
const QList<QPair<QString, AddressChange::Way>> kWays = {
    {QStringLiteral("broadcast"), AddressChange::Way::Broadcast},
    {QStringLiteral("register"), AddressChange::Way::RegisterWrite},
    {QStringLiteral("frame"), AddressChange::Way::ParameterFrame},
    {QStringLiteral("none"), AddressChange::Way::None}};
const QList<QPair<QString, int>> kScales = {{QStringLiteral("1"), 0},
                                            {QStringLiteral("0.1"), 1},
                                            {QStringLiteral("0.01"), 2},
                                            {QStringLiteral("0.001"), 3}};

template <typename T> QStringList namesOf(const QList<QPair<QString, T>>& table) {
    QStringList names;
    for (const auto& entry : table)
        names << entry.first;
    return names;
}

template <typename T>
std::optional<T> lookUp(const QList<QPair<QString, T>>& table, const QString& name) {
    for (const auto& entry : table) {
        if (entry.first == name)
            return entry.second;
    }
    return std::nullopt;
}

class Reader {
public:
    Reader(const QByteArray& text, const QString& fileName, QStringList* problems)
        : text_(text), fileName_(fileName), problems_(problems) {}

    QList<FileModel> readAll() {
        QJsonParseError error{};
        const QJsonDocument document = QJsonDocument::fromJson(text_, &error);
        if (error.error != QJsonParseError::NoError) {
            report(LineAtOffset(text_, error.offset),
                   SensorModelFile::tr("不是有效的 JSON：%1").arg(error.errorString()));
            return {};
        }
        const QJsonValue models = document.object().value(QLatin1String("models"));
        if (!document.isObject() || !models.isArray()) {
            report(1, SensorModelFile::tr("应为含 \"models\" 数组的对象"));
            return {};
        }
        onlyKnownKeys(document.object(), {"models"});
        Into into(*this, JsonStep::member(QStringLiteral("models")));
        QList<FileModel> read;
        QSet<QString> ids;
        const QJsonArray entries = models.toArray();
        for (int index = 0; index < entries.size(); ++index) {
            Into entry(*this, JsonStep::element(index));
            modelOk_ = true;
            const int line = LineOfValue(text_, path_);
            if (!entries[index].isObject()) {
                problem(SensorModelFile::tr("型号应为对象"));
                continue;
            }
            auto model = readModel(entries[index].toObject());
            if (model && ids.contains(model->id)) {
                Into id(*this, JsonStep::member(QStringLiteral("id")));
                problem(SensorModelFile::tr("型号 \"%1\" 在本文件中已有").arg(model->id));
            }
            if (model && modelOk_) {
                ids.insert(model->id);
                read << FileModel{*model, line};
            }
        }
        return read;
    }

private:
    class Into {
    public:
        Into(Reader& reader, const JsonStep& step) : reader_(reader) { reader_.path_ << step; }
        ~Into() { reader_.path_.removeLast(); }
        Into(const Into&) = delete;
        Into& operator=(const Into&) = delete;

    private:
        Reader& reader_;
    };

    void report(int line, const QString& what) {
        problems_->append(SensorModelFile::problemText(fileName_, line, what));
    }

    // The field now read as the file names it within its model: "temperature.register".
    QString field() const {
        const bool inModel = path_.size() >= 2 && path_[1].index >= 0;
        QStringList names;
        for (qsizetype i = inModel ? 2 : 0; i < path_.size(); ++i) {
            if (path_[i].index < 0)
                names << path_[i].key;
            else if (!names.isEmpty())
                names.last() += QStringLiteral("[%1]").arg(path_[i].index);
        }
        return names.join(QLatin1Char('.'));
    }

    void problem(const QString& what) {
        modelOk_ = false;
        report(LineOfValue(text_, path_), what);
    }

    void onlyKnownKeys(const QJsonObject& object, Keys keys) {
        for (auto it = object.begin(); it != object.end(); ++it) {
            if (std::none_of(keys.begin(), keys.end(),
                             [&](const char* key) { return it.key() == QLatin1String(key); })) {
                Into into(*this, JsonStep::member(it.key()));
                problem(SensorModelFile::tr("不认识的字段 \"%1\"").arg(field()));
            }
        }
    }

    // The member, or nothing (a problem when it is required).
    std::optional<QJsonValue> member(const QJsonObject& object, const char* key, bool required) {
        const QJsonValue value = object.value(QLatin1String(key));
        if (!value.isUndefined())
            return value;
        if (required) {
            Into into(*this, JsonStep::member(QLatin1String(key)));
            problem(SensorModelFile::tr("缺少字段 \"%1\"").arg(field()));
        }
        return std::nullopt;
    }

    void wrongType(const QString& expected) {
        problem(SensorModelFile::tr("\"%1\" 应为%2").arg(field(), expected));
    }

    std::optional<double> number(const QJsonObject& object, const char* key, bool required) {
        const auto value = member(object, key, required);
        if (!value)
            return std::nullopt;
        Into into(*this, JsonStep::member(QLatin1String(key)));
        if (!value->isDouble()) {
            wrongType(SensorModelFile::tr("数"));
            return std::nullopt;
        }
        return value->toDouble();
    }

    std::optional<int> wholeNumber(const QJsonObject& object, const char* key, int min, int max,
                                   bool required) {
        const auto value = member(object, key, required);
        if (!value)
            return std::nullopt;
        Into into(*this, JsonStep::member(QLatin1String(key)));
        return wholeNumberValue(*value, min, max);
    }

    std::optional<int> wholeNumberValue(const QJsonValue& value, int min, int max) {
        const double number = value.toDouble();
        if (!value.isDouble() || number != std::floor(number)) {
            wrongType(SensorModelFile::tr("整数"));
            return std::nullopt;
        }
        if (number < min || number > max) {
            problem(
                SensorModelFile::tr("\"%1\" 应在 %2 到 %3 之间").arg(field()).arg(min).arg(max));
            return std::nullopt;
        }
        return static_cast<int>(number);
    }

    std::optional<QString> text(const QJsonObject& object, const char* key, bool required) {
        const auto value = member(object, key, required);
        if (!value)
            return std::nullopt;
        Into into(*this, JsonStep::member(QLatin1String(key)));
        if (!value->isString()) {
            wrongType(SensorModelFile::tr("文字"));
            return std::nullopt;
        }
        return value->toString();
    }

    std::optional<bool> boolean(const QJsonObject& object, const char* key) {
        const auto value = member(object, key, false);
        if (!value)
            return std::nullopt;
        Into into(*this, JsonStep::member(QLatin1String(key)));
        if (!value->isBool()) {
            wrongType(SensorModelFile::tr("true 或 false"));
            return std::nullopt;
        }
        return value->toBool();
    }

    // One of names, given as text (or, for numbers, as the number's own text).
    std::optional<QString> choice(const QJsonObject& object, const char* key,
                                  const QStringList& names, bool required) {
        const auto value = member(object, key, required);
        if (!value)
            return std::nullopt;
        Into into(*this, JsonStep::member(QLatin1String(key)));
        const QString given = value->isDouble() ? QString::number(value->toDouble())
                                                : value->toString(QStringLiteral("?"));
        if (!names.contains(given)) {
            problem(SensorModelFile::tr("\"%1\" 应为以下之一：%2")
                        .arg(field(), names.join(QStringLiteral(", "))));
            return std::nullopt;
        }
        return given;
    }

    std::optional<QJsonObject> object(const QJsonObject& parent, const char* key, bool required) {
        const auto value = member(parent, key, required);
        if (!value)
            return std::nullopt;
        if (!value->isObject()) {
            Into into(*this, JsonStep::member(QLatin1String(key)));
            wrongType(SensorModelFile::tr("对象"));
            return std::nullopt;
        }
        return value->toObject();
    }

    std::optional<QJsonArray> array(const QJsonObject& parent, const char* key) {
        const auto value = member(parent, key, false);
        if (!value)
            return std::nullopt;
        if (!value->isArray()) {
            Into into(*this, JsonStep::member(QLatin1String(key)));
            wrongType(SensorModelFile::tr("数组"));
            return std::nullopt;
        }
        return value->toArray();
    }

    std::optional<ModelName> name(const QJsonObject& parent, const char* key, bool required) {
        const auto names = object(parent, key, required);
        if (!names)
            return std::nullopt;
        Into into(*this, JsonStep::member(QLatin1String(key)));
        onlyKnownKeys(*names, {"zh", "en"});
        const auto zh = text(*names, "zh", true);
        const auto en = text(*names, "en", true);
        if (!zh || !en)
            return std::nullopt;
        return ModelName{*zh, *en};
    }

    std::optional<SensorModel> readModel(const QJsonObject& entry) {
        onlyKnownKeys(entry, {"id", "name", "note", "read", "alsoFunction", "temperature",
                              "humidity", "line", "address", "rate", "corrections", "identify",
                              "holdingRegisters", "inputRegisters"});
        SensorModel model;
        model.id = text(entry, "id", true).value_or(QString());
        if (entry.value(QLatin1String("id")).isString() &&
            !QRegularExpression(QStringLiteral("^[a-z0-9][a-z0-9._-]*$"))
                 .match(model.id)
                 .hasMatch()) {
            Into into(*this, JsonStep::member(QStringLiteral("id")));
            problem(SensorModelFile::tr("id 只能含小写字母、数字和 . _ -，且以字母或数字开头"));
        }
        model.name = name(entry, "name", true).value_or(ModelName{});
        model.note = text(entry, "note", false).value_or(QString());
        const qsizetype before = problems_->size();
        readRead(entry, model);
        readIsWhole_ = problems_->size() == before;
        model.alsoFunction = functionCode(entry, "alsoFunction", false).value_or(0);
        if (model.alsoFunction == model.read.function)
            model.alsoFunction = 0;
        model.temperature = readout(entry, "temperature", model, temperatureDefaults());
        model.humidity = readout(entry, "humidity", model, humidityDefaults());
        if (!entry.contains(QLatin1String("temperature")) &&
            !entry.contains(QLatin1String("humidity")))
            problem(SensorModelFile::tr("至少要有 \"temperature\" 或 \"humidity\""));
        readLine(entry, model);
        readRate(entry, model);
        readAddress(entry, model);
        readCorrections(entry, model);
        readIdentify(entry, model);
        model.holdingRegisters = ranges(entry, "holdingRegisters");
        model.inputRegisters = ranges(entry, "inputRegisters");
        return model;
    }

    std::optional<int> functionCode(const QJsonObject& parent, const char* key, bool required) {
        const auto code = choice(parent, key, {QStringLiteral("3"), QStringLiteral("4")}, required);
        if (!code)
            return std::nullopt;
        return code->toInt();
    }

    void readRead(const QJsonObject& entry, SensorModel& model) {
        const auto read = object(entry, "read", true);
        if (!read)
            return;
        Into into(*this, JsonStep::member(QStringLiteral("read")));
        onlyKnownKeys(*read, {"function", "first", "count"});
        model.read.function = functionCode(*read, "function", true).value_or(0);
        model.read.first = wholeNumber(*read, "first", 0, kLastRegister, true).value_or(0);
        model.read.count =
            wholeNumber(*read, "count", 1, FrameSize::kMaxReadRegisters, true).value_or(1);
        if (model.read.first + model.read.count - 1 > kLastRegister) {
            Into count(*this, JsonStep::member(QStringLiteral("count")));
            problem(SensorModelFile::tr("读取超出最后一个寄存器 %1").arg(kLastRegister));
        }
    }

    std::optional<ValueMap> readout(const QJsonObject& entry, const char* key,
                                    const SensorModel& model, const ReadoutDefaults& defaults) {
        const auto given = object(entry, key, false);
        if (!given)
            return std::nullopt;
        Into into(*this, JsonStep::member(QLatin1String(key)));
        onlyKnownKeys(*given, {"register", "encoding", "wordOrder", "offset", "scale", "decimals",
                               "errors", "name", "unit", "range"});
        ValueMap map;
        map.name = defaults.name;
        map.unit = defaults.unit;
        map.plausibleMin = defaults.plausibleMin;
        map.plausibleMax = defaults.plausibleMax;
        const auto registerNumber = wholeNumber(*given, "register", 0, kLastRegister, true);
        const auto encoding = choice(*given, "encoding", namesOf(kEncodings), true);
        if (encoding)
            map.encoding = *lookUp(kEncodings, *encoding);
        const bool single = map.encoding == ValueEncoding::Float32;
        const auto order =
            choice(*given, "wordOrder", {QStringLiteral("high-first"), QStringLiteral("low-first")},
                   false);
        if (order == QStringLiteral("low-first"))
            map.wordOrder = WordOrder::LowFirst;
        map.signOffset = wholeNumber(*given, "offset", 1, kLastRegister, false).value_or(10000);
        const auto scale = choice(*given, "scale", namesOf(kScales), false);
        map.scaleDecimals = scale ? *lookUp(kScales, *scale) : (single ? 0 : 1);
        map.decimals = wholeNumber(*given, "decimals", 0, kMostDecimals, false)
                           .value_or(single ? 2 : map.scaleDecimals);
        if (const auto errors = array(*given, "errors")) {
            Into list(*this, JsonStep::member(QStringLiteral("errors")));
            for (int i = 0; i < errors->size(); ++i) {
                Into item(*this, JsonStep::element(i));
                if (!errors->at(i).isDouble())
                    wrongType(SensorModelFile::tr("数"));
                else
                    map.errorValues << errors->at(i).toDouble();
            }
        }
        if (const auto ownName = name(*given, "name", false))
            map.name = *ownName;
        map.unit = text(*given, "unit", false).value_or(map.unit);
        readRange(*given, map);
        if (registerNumber) {
            map.registerNumber = *registerNumber;
            // Against a read that is itself wrong the check would only say so again.
            if (readIsWhole_ &&
                !model.read.covers(model.read.function, map.registerNumber, map.registerCount())) {
                Into reg(*this, JsonStep::member(QStringLiteral("register")));
                problem(SensorModelFile::tr("\"%1\" 不在 \"read\" 读取的寄存器内").arg(field()));
            }
        }
        return map;
    }

    // The plausible readings: [lowest, highest].
    void readRange(const QJsonObject& readout, ValueMap& map) {
        const auto range = array(readout, "range");
        if (!range)
            return;
        Into into(*this, JsonStep::member(QStringLiteral("range")));
        if (range->size() != 2 || !range->at(0).isDouble() || !range->at(1).isDouble() ||
            range->at(0).toDouble() > range->at(1).toDouble()) {
            problem(SensorModelFile::tr("\"%1\" 应为 [最低, 最高]").arg(field()));
            return;
        }
        map.plausibleMin = range->at(0).toDouble();
        map.plausibleMax = range->at(1).toDouble();
    }

    void readLine(const QJsonObject& entry, SensorModel& model) {
        const auto line = object(entry, "line", false);
        if (!line)
            return;
        Into into(*this, JsonStep::member(QStringLiteral("line")));
        onlyKnownKeys(*line, {"baud", "parity", "stopBits"});
        model.line.baud = wholeNumber(*line, "baud", kLowestBaud, kHighestBaud, true).value_or(0);
        QStringList parities;
        for (const QChar letter : LineFormats::kParityLetters)
            parities << letter;
        model.line.format.parity =
            choice(*line, "parity", parities, false).value_or(QStringLiteral("N")).at(0);
        model.line.format.stopBits = wholeNumber(*line, "stopBits", 1, 2, false).value_or(1);
    }

    void readRate(const QJsonObject& entry, SensorModel& model) {
        const auto rate = object(entry, "rate", false);
        if (!rate)
            return;
        Into into(*this, JsonStep::member(QStringLiteral("rate")));
        onlyKnownKeys(*rate, {"register", "codes", "takesEffect"});
        model.rate.registerNumber = wholeNumber(*rate, "register", 0, kLastRegister, false);
        model.rate.afterPowerCycle = takesEffectAfterPowerCycle(*rate);
        const auto codes = object(*rate, "codes", false);
        if (!codes)
            return;
        Into list(*this, JsonStep::member(QStringLiteral("codes")));
        for (auto it = codes->begin(); it != codes->end(); ++it) {
            Into code(*this, JsonStep::member(it.key()));
            bool isNumber = false;
            const int value = it.key().toInt(&isNumber);
            if (!isNumber || value < 0 || value > kLastRegister) {
                problem(SensorModelFile::tr("速率代码 \"%1\" 应为 0 到 %2 的整数")
                            .arg(it.key())
                            .arg(kLastRegister));
                continue;
            }
            if (const auto baud = wholeNumberValue(it.value(), kLowestBaud, kHighestBaud))
                model.rate.codes << qMakePair(value, *baud);
        }
    }

    void readAddress(const QJsonObject& entry, SensorModel& model) {
        model.addressChange.way = AddressChange::Way::None;
        const auto address = object(entry, "address", false);
        if (!address)
            return;
        Into into(*this, JsonStep::member(QStringLiteral("address")));
        onlyKnownKeys(*address, {"default", "change", "register", "echo", "takesEffect"});
        model.defaultAddress =
            wholeNumber(*address, "default", Limits::kFirstAddress, Limits::kHighestAddress, false)
                .value_or(Limits::kFirstAddress);
        const auto way = choice(*address, "change", namesOf(kWays), true);
        if (way)
            model.addressChange.way = *lookUp(kWays, *way);
        const bool needsRegister = model.addressChange.way == AddressChange::Way::Broadcast ||
                                   model.addressChange.way == AddressChange::Way::RegisterWrite;
        model.addressChange.registerNumber =
            wholeNumber(*address, "register", 0, kLastRegister, needsRegister).value_or(0);
        model.addressChange.echoed = boolean(*address, "echo").value_or(true);
        model.addressChange.afterPowerCycle = takesEffectAfterPowerCycle(*address);
        if (model.addressChange.way == AddressChange::Way::ParameterFrame &&
            model.rate.codes.isEmpty()) {
            Into change(*this, JsonStep::member(QStringLiteral("change")));
            problem(SensorModelFile::tr("\"frame\" 需要 \"rate\" 的 \"codes\"：帧里带速率代码"));
        }
    }

    void readCorrections(const QJsonObject& entry, SensorModel& model) {
        const auto corrections = object(entry, "corrections", false);
        if (!corrections)
            return;
        Into into(*this, JsonStep::member(QStringLiteral("corrections")));
        onlyKnownKeys(*corrections, {"temperature", "humidity", "range"});
        model.temperatureCorrection =
            wholeNumber(*corrections, "temperature", 0, kLastRegister, false);
        model.humidityCorrection = wholeNumber(*corrections, "humidity", 0, kLastRegister, false);
        ValueMap range;
        readRange(*corrections, range);
        if (range.plausibleMin < range.plausibleMax)
            model.correctionRange = qMakePair(range.plausibleMin, range.plausibleMax);
    }

    bool takesEffectAfterPowerCycle(const QJsonObject& setting) {
        const auto effect =
            choice(setting, "takesEffect",
                   {QStringLiteral("at-once"), QStringLiteral("after-power-cycle")}, false);
        return effect == QStringLiteral("after-power-cycle");
    }

    void readIdentify(const QJsonObject& entry, SensorModel& model) {
        const auto identify = array(entry, "identify");
        if (!identify)
            return;
        Into into(*this, JsonStep::member(QStringLiteral("identify")));
        for (int i = 0; i < identify->size(); ++i) {
            Into item(*this, JsonStep::element(i));
            if (!identify->at(i).isObject()) {
                wrongType(SensorModelFile::tr("对象"));
                continue;
            }
            const QJsonObject given = identify->at(i).toObject();
            onlyKnownKeys(given, {"function", "register", "holds"});
            IdentifyingRegister identifying;
            identifying.function = functionCode(given, "function", true).value_or(0);
            identifying.registerNumber =
                wholeNumber(given, "register", 0, kLastRegister, true).value_or(0);
            const auto holds = member(given, "holds", true);
            if (holds && holds->isDouble()) {
                Into value(*this, JsonStep::member(QStringLiteral("holds")));
                identifying.fixedValue = wholeNumberValue(*holds, 0, kLastRegister);
            } else if (holds && holds->toString() != QLatin1String("address")) {
                Into value(*this, JsonStep::member(QStringLiteral("holds")));
                problem(SensorModelFile::tr("\"%1\" 应为 \"address\" 或 0 到 %2 的整数")
                            .arg(field())
                            .arg(kLastRegister));
            }
            model.identifiedBy << identifying;
        }
    }

    QList<RegisterRange> ranges(const QJsonObject& entry, const char* key) {
        QList<RegisterRange> found;
        const auto list = array(entry, key);
        if (!list)
            return found;
        Into into(*this, JsonStep::member(QLatin1String(key)));
        for (int i = 0; i < list->size(); ++i) {
            Into item(*this, JsonStep::element(i));
            const QJsonArray pair = list->at(i).toArray();
            const auto isRegister = [](const QJsonValue& v) {
                return v.isDouble() && v.toDouble() == std::floor(v.toDouble()) &&
                       v.toDouble() >= 0 && v.toDouble() <= kLastRegister;
            };
            if (pair.size() != 2 || !isRegister(pair[0]) || !isRegister(pair[1]) ||
                pair[0].toInt() > pair[1].toInt()) {
                problem(SensorModelFile::tr("\"%1\" 应为 [第一个, 最后一个]，0 到 %2")
                            .arg(field())
                            .arg(kLastRegister));
                continue;
            }
            found << RegisterRange{pair[0].toInt(), pair[1].toInt()};
        }
        return found;
    }

    const QByteArray& text_;
    QString fileName_;
    QStringList* problems_;
    QList<JsonStep> path_;
    bool modelOk_ = true;
    bool readIsWhole_ = true;
};

} // namespace

QList<FileModel> SensorModelFile::read(const QByteArray& json, const QString& fileName,
                                       QStringList* problems) {
    return Reader(json, fileName, problems).readAll();
}

QString SensorModelFile::problemText(const QString& fileName, int line, const QString& what) {
    if (line <= 0)
        return tr("%1：%2").arg(fileName, what);
    return tr("%1 第 %2 行：%3").arg(fileName).arg(line).arg(what);
}
