// SPDX-License-Identifier: MIT
#include "crc.h"
#include "frame_sizes.h"
#include "hex_transcript.h"
#include "model_readings.h"
#include "readings.h"
#include "reply_check.h"
#include "sensor_catalogue.h"
#include "sim_options.h"
#include "virtual_sensor.h"

#include <QTest>

class TestVirtualSensor : public QObject {
    Q_OBJECT
private slots:
    void repliesPassTheToolsCheckAndDecode();
    void driftStaysPlausible();
    void quietForOtherAddressesAndBadFrames();
    void addressWriteIsEchoedThenTakesEffect();
    void faultsAreVisibleToTheCheck();
    void severalSensorsShareOneLine();
    void everyModelSpeaksItsOwnMap_data();
    void everyModelSpeaksItsOwnMap();
    void ratesCorrectionsAndTheLine();
    void requestFraming_data();
    void requestFraming();
    void commandLine_data();
    void commandLine();
};

namespace {

const SensorCatalogue& catalogue() {
    static const SensorCatalogue models;
    return models;
}

VirtualSensor::Options speaking(const char* id, int address) {
    VirtualSensor::Options options;
    options.model = *catalogue().find(QLatin1String(id));
    options.address = address;
    options.temperature = -187;
    options.humidity = 612;
    return options;
}

QByteArray framed(const QByteArray& body) {
    return AppendCRC(body, static_cast<std::uint8_t>(body.size() - 1));
}

// The exception code of a refusal, or 0 for anything else.
int refusedWith(const std::optional<QByteArray>& reply) {
    if (!reply || reply->size() != FrameSize::kExceptionReply ||
        !(static_cast<quint8>(reply->at(1)) & Function::kExceptionFlag))
        return 0;
    return reply->at(2);
}

QByteArray write(int address, int reg, int value) {
    const char body[6] = {static_cast<char>(address),    Function::kWriteRegister,
                          static_cast<char>(reg >> 8),   static_cast<char>(reg),
                          static_cast<char>(value >> 8), static_cast<char>(value)};
    return framed(QByteArray(body, 6));
}

} // namespace

void TestVirtualSensor::repliesPassTheToolsCheckAndDecode() {
    VirtualSensor::Options options;
    options.address = 7;
    options.temperature = -123;
    options.humidity = 987;
    VirtualSensor sensor(options);
    const QString sent = Transcript(ReadRequest(7));
    const auto reply = sensor.answer(ReadRequest(7));
    QVERIFY(reply);
    QVERIFY(HasValidCrc(*reply));
    QVERIFY(CheckReply(sent, Transcript(*reply)));
    const auto readings = DecodeReadings(Transcript(*reply), true, QLocale::c());
    QVERIFY(readings);
    QCOMPARE(readings->temperature, QStringLiteral("-12.3℃"));
    QCOMPARE(readings->humidity.value_or(QString()), QStringLiteral("98.7%"));
}

void TestVirtualSensor::driftStaysPlausible() {
    VirtualSensor sensor({});
    int previous = sensor.temperature();
    for (int i = 0; i < 2000; ++i) {
        QVERIFY(sensor.answer(ReadRequest(1)));
        QVERIFY(std::abs(sensor.temperature() - previous) <= 1);
        QVERIFY(sensor.temperature() >= 150 && sensor.temperature() <= 350);
        QVERIFY(sensor.humidity() >= 300 && sensor.humidity() <= 800);
        previous = sensor.temperature();
    }
}

void TestVirtualSensor::quietForOtherAddressesAndBadFrames() {
    VirtualSensor sensor({});
    QVERIFY(!sensor.answer(ReadRequest(2)));
    QVERIFY(!sensor.answer(ReadRequest(0))); // no answer to a broadcast read
    QByteArray spoiled = ReadRequest(1);
    spoiled[7] = static_cast<char>(spoiled[7] ^ 1);
    QVERIFY(!sensor.answer(spoiled));
    QVERIFY(!sensor.answer(ReadRequest(1).left(7)));
}

void TestVirtualSensor::addressWriteIsEchoedThenTakesEffect() {
    VirtualSensor sensor({});
    const QByteArray write = AddressWriteRequest(5);
    QCOMPARE(sensor.answer(write).value_or(QByteArray()), write);
    QVERIFY(CheckReply(Transcript(write), Transcript(write)));
    QCOMPARE(sensor.address(), 5);
    QVERIFY(!sensor.answer(ReadRequest(1)));
    QVERIFY(sensor.answer(ReadRequest(5)));
}

void TestVirtualSensor::faultsAreVisibleToTheCheck() {
    VirtualSensor::Options exception;
    exception.exceptionReply = true;
    VirtualSensor failing(exception);
    const QString sent = Transcript(ReadRequest(1));
    QVERIFY(!CheckReply(sent, Transcript(failing.answer(ReadRequest(1)).value())));

    VirtualSensor::Options badCrc;
    badCrc.badCrc = true;
    VirtualSensor spoiled(badCrc);
    const QByteArray reply = spoiled.answer(ReadRequest(1)).value();
    QVERIFY(!HasValidCrc(reply));
    QCOMPARE(JudgeReply(sent, Transcript(reply)).fault, ReplyFault::CrcError);
}

void TestVirtualSensor::severalSensorsShareOneLine() {
    SensorBus bus({}, {1, 7, 200});
    for (const int address : {1, 7, 200}) {
        const auto reply = bus.answer(ReadRequest(static_cast<std::uint8_t>(address)));
        QVERIFY(reply);
        QCOMPARE(static_cast<int>(static_cast<std::uint8_t>(reply->at(0))), address);
    }
    QVERIFY(!bus.answer(ReadRequest(2)));
    // A broadcast address write reaches every sensor, and one echo comes back.
    const QByteArray write = AddressWriteRequest(9);
    QCOMPARE(bus.answer(write).value_or(QByteArray()), write);
    for (const VirtualSensor& sensor : bus.sensors())
        QCOMPARE(sensor.address(), 9);
    QVERIFY(!bus.answer(ReadRequest(7)));
    QVERIFY(bus.answer(ReadRequest(9)));
}

void TestVirtualSensor::everyModelSpeaksItsOwnMap_data() {
    QTest::addColumn<QString>("id");
    for (const SensorModel& model : catalogue().models())
        QTest::newRow(qPrintable(model.id)) << model.id;
}

void TestVirtualSensor::everyModelSpeaksItsOwnMap() {
    QFETCH(QString, id);
    const SensorModel& model = *catalogue().find(id);
    VirtualSensor sensor(speaking(qPrintable(id), 23));

    // Its own read, in its encodings: what the tool decodes is what the sensor measures.
    const QByteArray request = ModelReadRequest(model, 23);
    const auto reply = sensor.answer(request);
    QVERIFY(reply);
    QCOMPARE(JudgeReply(Transcript(request), Transcript(*reply), AcceptedReplyBytes(model)).fault,
             ReplyFault::None);
    const auto shown = DecodeModelReply(model, Transcript(*reply), true, QLocale::c());
    QVERIFY(shown);
    if (model.temperature)
        QCOMPARE(shown->temperature->value(), -18.7);
    if (model.humidity)
        QCOMPARE(shown->humidity->value(), 61.2);

    // A function it does not know, a register it does not have.
    for (const int function : {Function::kReadRegisters, Function::kReadInputRegisters}) {
        const auto refused = sensor.answer(ReadRegistersRequest(23, {function, 0xFFF0, 1}));
        QCOMPARE(refusedWith(refused), model.knowsFunction(function)
                                           ? ExceptionCode::kIllegalAddress
                                           : ExceptionCode::kIllegalFunction);
    }
    QCOMPARE(refusedWith(sensor.answer(framed(QByteArray::fromHex("171100000001")))),
             ExceptionCode::kIllegalFunction);

    // A new address its own way: echoed or not, at once or after a power cycle.
    const int rateCode = model.rate.codeFor(model.line.baud).value_or(0);
    const QByteArray change = ModelAddressRequest(model, 23, 42, rateCode);
    if (change.isEmpty()) {
        QCOMPARE(model.addressChange.way, AddressChange::Way::None);
        return;
    }
    const QByteArray expected = ExpectedAddressReply(model, change);
    QCOMPARE(sensor.answer(change).value_or(QByteArray()), expected);
    const bool waits = model.addressChange.afterPowerCycle;
    QCOMPARE(sensor.address(), waits ? 23 : 42);
    QCOMPARE(bool(sensor.answer(ModelReadRequest(model, 23))), waits);
    sensor.powerCycle();
    QCOMPARE(sensor.address(), 42);
    QVERIFY(sensor.answer(ModelReadRequest(model, 42)));
    QVERIFY(!sensor.answer(ModelReadRequest(model, 23)));
    if (const auto reg = model.addressRegister())
        QCOMPARE(sensor.registerValue(Function::kReadRegisters, *reg).value_or(0), 42);
}

void TestVirtualSensor::ratesCorrectionsAndTheLine() {
    VirtualSensor::Options options = speaking("xy-md02", 5);
    options.baud = 9600;
    options.parity = 'N';
    VirtualSensor sensor(options);
    const SensorModel& model = sensor.model();
    QVERIFY(sensor.hears({9600, 'N'}) && sensor.hears({9600, std::nullopt}));
    QVERIFY(!sensor.hears({4800, std::nullopt}) && !sensor.hears({9600, 'E'}));

    // The rate register: a code it knows, taken at the next power cycle like the address.
    const int rateRegister = *model.rate.registerNumber;
    QCOMPARE(refusedWith(sensor.answer(write(5, rateRegister, 7))), ExceptionCode::kIllegalValue);
    QCOMPARE(sensor.answer(write(5, rateRegister, 2)).value_or(QByteArray()),
             write(5, rateRegister, 2));
    QVERIFY(sensor.hears({9600, 'N'}));
    sensor.powerCycle();
    QVERIFY(!sensor.hears({9600, 'N'}) && sensor.hears({19200, 'N'}));
    QCOMPARE(sensor.registerValue(Function::kReadRegisters, rateRegister).value_or(0), 2);

    // A correction of +1.5 degrees, in the readout's scale, moves the reading.
    QVERIFY(sensor.answer(write(5, *model.temperatureCorrection, 15)));
    const auto corrected = DecodeModelReply(
        model, Transcript(*sensor.answer(ModelReadRequest(model, 5))), true, QLocale::c());
    QCOMPARE(corrected->temperature->value(), -17.2);
    QCOMPARE(corrected->humidity->value(), 61.2);
    QCOMPARE(refusedWith(sensor.answer(write(5, 0x0200, 1))), ExceptionCode::kIllegalAddress);

    // A broadcast write of its address register is taken without a word.
    QVERIFY(!sensor.answer(write(0, *model.addressRegister(), 9)));
    sensor.powerCycle();
    QCOMPARE(sensor.address(), 9);

    // Where the model names a sensor-error value, the sensor can send it.
    VirtualSensor::Options broken = speaking("wb-msw3", 3);
    broken.sensorError = true;
    VirtualSensor failing(broken);
    const auto error = DecodeModelReply(
        failing.model(), Transcript(*failing.answer(ModelReadRequest(failing.model(), 3))), true);
    QVERIFY(error->temperature->sensorError());
    QCOMPARE(error->humidity->value(), 61.2);

    // On a bus, only the sensors set to the line's rate answer.
    VirtualSensor::Options slow = speaking("rs-ws-n01", 2);
    slow.baud = 4800;
    SensorBus bus({options, slow});
    QVERIFY(bus.answer(ModelReadRequest(model, 5), {9600, std::nullopt}));
    QVERIFY(!bus.answer(ModelReadRequest(slow.model, 2), {9600, std::nullopt}));
    QVERIFY(bus.answer(ModelReadRequest(slow.model, 2), {4800, std::nullopt}));
    QVERIFY(!bus.anyHears({19200, std::nullopt}));
}

void TestVirtualSensor::requestFraming_data() {
    QTest::addColumn<QByteArray>("received");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("length");
    const QByteArray read = ReadRequest(9);
    const QByteArray parameters = framed(QByteArray::fromHex("09060000000102"
                                                             "0506"));
    using K = FrameStart::Kind;
    QTest::newRow("a read") << read + QByteArray("\x01", 1) << int(K::Frame) << 8;
    QTest::newRow("half a read") << read.left(5) << int(K::Wait) << 0;
    QTest::newRow("eight bytes of noise") << QByteArray(8, '\x55') << int(K::Garbage) << 0;
    QTest::newRow("a parameter frame") << parameters << int(K::Frame) << 11;
    QTest::newRow("most of a parameter frame") << parameters.left(10) << int(K::Wait) << 0;
    QByteArray spoilt = parameters;
    spoilt[9] = static_cast<char>(spoilt[9] ^ 1);
    QTest::newRow("a parameter frame with a wrong CRC") << spoilt << int(K::Garbage) << 0;
    QTest::newRow("an address write") << AddressWriteRequest(1) << int(K::Frame) << 8;
}

void TestVirtualSensor::requestFraming() {
    QFETCH(QByteArray, received);
    QFETCH(int, kind);
    QFETCH(int, length);
    const FrameStart start = FindRequestStart(received);
    QCOMPARE(int(start.kind), kind);
    QCOMPARE(start.length, length);
}

void TestVirtualSensor::commandLine_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<QString>("said"); // in the problem, or in the sensors' models and rates
    using O = ParsedArgs::Outcome;
    QTest::newRow("an address out of range says so")
        << QStringList{"--address", "300"} << int(O::Bad)
        << "--address 300: wrong value; expected addresses from 1 to 255";
    QTest::newRow("an unknown option")
        << QStringList{"--frobnicate"} << int(O::Bad) << "unknown option --frobnicate";
    QTest::newRow("a value missing")
        << QStringList{"--port"} << int(O::Bad) << "--port needs a value";
    QTest::newRow("a bus item without its model")
        << QStringList{"--bus", "1:"} << int(O::Bad) << "--bus 1:";
    QTest::newRow("bus and addresses") << QStringList{"--bus", "1", "--address", "2"} << int(O::Bad)
                                       << "--bus names the addresses";
    QTest::newRow("version") << QStringList{"--version"} << int(O::Version) << "";
    QTest::newRow("no model: the tool's own, at any rate")
        << QStringList{"--address", "1,7"} << int(O::Run) << "1 default any, 7 default any";
    QTest::newRow("a mixed bus, each at its model's line")
        << QStringList{"--bus", "1:default,2:xy-md02,40:sentera-rsth"} << int(O::Run)
        << "1 default 9600N, 2 xy-md02 9600N, 40 sentera-rsth 19200E";
    QTest::newRow("one model for all, one rate for all")
        << QStringList{"--model", "wb-msw3", "--address", "4,5", "--baud", "4800"} << int(O::Run)
        << "4 wb-msw3 4800N, 5 wb-msw3 4800N";
    QTest::newRow("any line") << QStringList{"--bus", "3", "--model", "ee210", "--any-line"}
                              << int(O::Run) << "3 ee210 any";
    QTest::newRow("a model nobody knows") << QStringList{"--model", "nope"} << int(O::Run)
                                          << "no model nope; the models are default, xy-md02";
}

void TestVirtualSensor::commandLine() {
    QFETCH(QStringList, args);
    QFETCH(int, outcome);
    QFETCH(QString, said);
    std::vector<QByteArray> bytes{"modbus-sensor-sim"};
    for (const QString& arg : args)
        bytes.push_back(arg.toUtf8());
    std::vector<const char*> argv;
    for (const QByteArray& arg : bytes)
        argv.push_back(arg.constData());
    SimConfig config;
    const ParsedArgs parsed = ParseSimArgs(static_cast<int>(argv.size()), argv.data(), config);
    QCOMPARE(int(parsed.outcome), outcome);
    if (parsed.outcome == ParsedArgs::Outcome::Bad) {
        QVERIFY2(QString::fromStdString(parsed.problem).startsWith(said), parsed.problem.c_str());
        return;
    }
    if (parsed.outcome != ParsedArgs::Outcome::Run)
        return;
    std::string problem;
    QStringList sensors;
    for (const VirtualSensor::Options& sensor : SimSensors(config, catalogue(), &problem))
        sensors << QStringLiteral("%1 %2 %3")
                       .arg(sensor.address)
                       .arg(sensor.model.id)
                       .arg(sensor.baud
                                ? QString::number(*sensor.baud) + QChar(sensor.parity.value_or('?'))
                                : QStringLiteral("any"));
    const QString got =
        sensors.isEmpty() ? QString::fromStdString(problem) : sensors.join(QStringLiteral(", "));
    QVERIFY2(got.startsWith(said), qPrintable(got));
    // --help names every model.
    const QString usage = QString::fromStdString(SimUsage(catalogue()));
    for (const SensorModel& model : catalogue().models())
        QVERIFY(usage.contains(model.id + QLatin1Char(' ')));
}

QTEST_APPLESS_MAIN(TestVirtualSensor)
#include "test_virtual_sensor.moc"
