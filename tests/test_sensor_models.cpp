// SPDX-License-Identifier: MIT
#include "crc.h"
#include "file_store.h"
#include "model_identification.h"
#include "model_readings.h"
#include "rate_change/rate_change_dialog.h"
#include "scan_reply.h"
#include "sensor_catalogue.h"
#include "sensor_model/sensor_model_dialog.h"
#include "sensor_model/sensor_model_part.h"
#include "sensor_model_file.h"
#include "tool_rig.h"
#include "virtual_sensor.h"

#include <QAction>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

Q_DECLARE_METATYPE(SensorModel)
Q_DECLARE_METATYPE(ProbeAnswer)

class TestSensorModels : public QObject {
    Q_OBJECT
private slots:
    void builtInsAreWhole();
    void usersFileAddsAndReplaces();
    void brokenUsersFiles_data();
    void brokenUsersFiles();
    void unreadableUsersFile();
    void correctionsWriteOnlyTheModelsRegisters();
    void scanTellsEveryBuiltInOnTheVirtualSensor_data();
    void scanTellsEveryBuiltInOnTheVirtualSensor();
    void identificationFromGivenAnswers_data();
    void identificationFromGivenAnswers();
};

namespace {

// A users' file with one model that reads and one that may not, each field on its line:
//   1 {   2 "models": [   3 the good one   4 {   5 id   6 name   7 read   8 temperature
//   9 humidity   10 address   11 }   12 ]   13 }
QByteArray usersFile(const QMap<int, QByteArray>& lines) {
    QMap<int, QByteArray> text = {
        {1, "{"},
        {2, "  \"models\": ["},
        {3, "    {\"id\": \"ok\", \"name\": {\"zh\": \"好\", \"en\": \"Good\"}, \"read\": "
            "{\"function\": 4, \"first\": 0, \"count\": 1}, \"humidity\": {\"register\": 0, "
            "\"encoding\": \"uint16\"}},"},
        {4, "    {"},
        {5, "      \"id\": \"broken\","},
        {6, "      \"name\": {\"zh\": \"坏\", \"en\": \"Broken\"},"},
        {7, "      \"read\": {\"function\": 3, \"first\": 0, \"count\": 2},"},
        {8, "      \"temperature\": {\"register\": 0, \"encoding\": \"int16\"},"},
        {9, "      \"humidity\": {\"register\": 1, \"encoding\": \"uint16\"},"},
        {10, "      \"address\": {\"change\": \"register\", \"register\": 5}"},
        {11, "    }"},
        {12, "  ]"},
        {13, "}"}};
    for (auto it = lines.begin(); it != lines.end(); ++it)
        text[it.key()] = it.value();
    QByteArray joined;
    for (const QByteArray& line : text)
        joined += line + '\n';
    return joined;
}

// The answer the virtual sensor gives to one read, as the scan would find it.
ProbeAnswer askSensor(VirtualSensor& sensor, int address, const RegisterRead& read,
                      bool firstRead) {
    const auto request = ReadRegistersRequest(static_cast<std::uint8_t>(address), read);
    const QByteArray reply = sensor.answer(request).value_or(QByteArray());
    const auto target = static_cast<std::uint8_t>(address);
    return ProbeAnswer::from(read, firstRead ? FindScanReply(target, reply)
                                             : FindReadReply(target, read, reply));
}

ProbeAnswer answer(const RegisterRead& read, ProbeAnswer::Kind kind, QList<quint16> words = {},
                   int exceptionCode = 0) {
    ProbeAnswer given;
    given.read = read;
    given.kind = kind;
    given.words = words;
    given.exceptionCode = exceptionCode;
    return given;
}

} // namespace

void TestSensorModels::builtInsAreWhole() {
    QString error;
    const auto text = ReadSmallFile(QStringLiteral(":/sensor-models/builtin-sensor-models.json"),
                                    SensorCatalogue::kMaxFileBytes, &error);
    QVERIFY2(text, qPrintable(error));
    QStringList problems;
    const QList<FileModel> models =
        SensorModelFile::read(*text, QStringLiteral("built-in"), &problems);
    QCOMPARE(problems, QStringList());
    QCOMPARE(models.size(), 13);
    const SensorCatalogue catalogue;
    QCOMPARE(catalogue.models().size(), models.size());
    QVERIFY(catalogue.toolsOwn().isToolsOwn());
    QVERIFY(catalogue.problems().isEmpty());
    for (const SensorModel& model : catalogue.models()) {
        QVERIFY2(!model.name.zh.isEmpty() && !model.name.en.isEmpty(), qPrintable(model.id));
        QVERIFY(model.temperature || model.humidity);
        QCOMPARE(catalogue.find(model.id), &model);
    }
    // Facts the data must keep: the humidity-first map, the sign-magnitude temperature, the
    // floats low word first, the DIP switch.
    QCOMPARE(catalogue.find(QStringLiteral("rs-ws-n01"))->humidity->registerNumber, 0);
    QCOMPARE(catalogue.find(QStringLiteral("kincony-ts"))->temperature->encoding,
             ValueEncoding::SignMagnitude);
    QCOMPARE(catalogue.find(QStringLiteral("hmp110"))->temperature->wordOrder, WordOrder::LowFirst);
    QCOMPARE(catalogue.find(QStringLiteral("hmp110"))->line.text(), QStringLiteral("19200 8N2"));
    QCOMPARE(catalogue.find(QStringLiteral("dip-switch"))->addressChange.way,
             AddressChange::Way::None);
    QVERIFY(!catalogue.find(QStringLiteral("nope")));
}

void TestSensorModels::usersFileAddsAndReplaces() {
    QTemporaryDir folder;
    QFile file(folder.filePath(QLatin1String(SensorCatalogue::kFileName)));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(R"({"models": [
      {"id": "xy-md02", "name": {"zh": "我的 XY", "en": "My XY"},
       "read": {"function": 4, "first": 1, "count": 2},
       "temperature": {"register": 1, "encoding": "int16", "scale": 0.01}},
      {"id": "cellar", "name": {"zh": "地窖", "en": "Cellar"},
       "read": {"function": 3, "first": 100, "count": 4},
       "humidity": {"register": 102, "encoding": "float32", "wordOrder": "low-first",
                    "name": {"zh": "露点", "en": "Dew point"}, "unit": "℃", "range": [-60, 60]},
       "line": {"baud": 19200, "parity": "E"},
       "address": {"default": 9, "change": "register", "register": 7, "echo": false,
                   "takesEffect": "after-power-cycle"},
       "identify": [{"function": 3, "register": 7, "holds": "address"},
                    {"function": 4, "register": 0, "holds": 4660}],
       "inputRegisters": [[0, 0]]}
    ]})");
    file.close();
    const SensorCatalogue catalogue = SensorCatalogue::load(folder.path());
    QCOMPARE(catalogue.problems(), QStringList());
    QCOMPARE(catalogue.models().size(), 14);
    QCOMPARE(catalogue.models().at(1).name.en, QStringLiteral("My XY")); // in its place
    QCOMPARE(catalogue.models().at(1).temperature->scaleDecimals, 2);
    QVERIFY(!catalogue.models().at(1).humidity);
    const SensorModel& cellar = catalogue.models().last();
    QCOMPARE(cellar.id, QStringLiteral("cellar"));
    QVERIFY(catalogue.fromUsersFile(QStringLiteral("cellar")));
    QVERIFY(!catalogue.fromUsersFile(QStringLiteral("rs-ws-n01")));
    QCOMPARE(cellar.humidity->name.zh, QStringLiteral("露点"));
    QCOMPARE(cellar.humidity->plausibleMin, -60.0);
    QCOMPARE(cellar.humidity->decimals, 2);
    QCOMPARE(cellar.line.text(), QStringLiteral("19200 8E1"));
    QCOMPARE(cellar.defaultAddress, 9);
    QVERIFY(cellar.addressChange.afterPowerCycle && !cellar.addressChange.echoed);
    QCOMPARE(cellar.identifiedBy.size(), 2);
    QCOMPARE(cellar.identifiedBy.at(1).fixedValue.value_or(-1), 4660);
    QVERIFY(cellar.hasRegister(4, 0) && !cellar.hasRegister(4, 1) && cellar.hasRegister(3, 7));

    // No file: the built-ins alone, and nothing to say.
    QTemporaryDir empty;
    const SensorCatalogue plain = SensorCatalogue::load(empty.path());
    QCOMPARE(plain.models().size(), 13);
    QVERIFY(plain.problems().isEmpty());
}

void TestSensorModels::brokenUsersFiles_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("what");
    QTest::addColumn<int>("kept"); // models beyond the built-ins
    QTest::newRow("not JSON") << usersFile({{7, "      \"read\": {\"function\": 3,, },"}}) << 7
                              << "不是有效的 JSON" << 0;
    QTest::newRow("not an object") << QByteArray("\n[1, 2]\n") << 1 << "\"models\"" << 0;
    QTest::newRow("models not a list") << QByteArray("{\"models\": {}}") << 1 << "\"models\"" << 0;
    QTest::newRow("unknown top-level field")
        << usersFile({{2, "  \"modles\": [], \"models\": ["}}) << 2 << "\"modles\"" << 2;
    QTest::newRow("model not an object") << usersFile({{3, "    42,"}}) << 3 << "对象" << 1;
    QTest::newRow("misspelt field")
        << usersFile({{8, "      \"temperature\": {\"registr\": 0, \"encoding\": \"int16\"},"}})
        << 8 << "temperature.registr" << 1;
    QTest::newRow("missing field") << usersFile({{7, ""}}) << 4 << "\"read\"" << 1;
    QTest::newRow("text for a number")
        << usersFile({{7, "      \"read\": {\"function\": 3, \"first\": \"0\", \"count\": 2},"}})
        << 7 << "read.first" << 1;
    QTest::newRow("fraction for a whole number")
        << usersFile({{7, "      \"read\": {\"function\": 3, \"first\": 0.5, \"count\": 2},"}}) << 7
        << "整数" << 1;
    QTest::newRow("count out of range")
        << usersFile({{7, "      \"read\": {\"function\": 3, \"first\": 0, \"count\": 126},"}}) << 7
        << "read.count" << 1;
    QTest::newRow("function 06 for a read")
        << usersFile({{7, "      \"read\": {\"function\": 6, \"first\": 0, \"count\": 2},"}}) << 7
        << "read.function" << 1;
    QTest::newRow("unknown encoding")
        << usersFile({{9, "      \"humidity\": {\"register\": 1, \"encoding\": \"int32\"},"}}) << 9
        << "float32" << 1;
    QTest::newRow("scale not offered")
        << usersFile({{9, "      \"humidity\": {\"register\": 1, \"encoding\": \"uint16\", "
                          "\"scale\": 0.5},"}})
        << 9 << "humidity.scale" << 1;
    QTest::newRow("register outside the read")
        << usersFile({{8, "      \"temperature\": {\"register\": 2, \"encoding\": \"int16\"},"}})
        << 8 << "temperature.register" << 1;
    QTest::newRow("float past the read's end")
        << usersFile({{9, "      \"humidity\": {\"register\": 1, \"encoding\": \"float32\"},"}})
        << 9 << "humidity.register" << 1;
    QTest::newRow("no readout") << usersFile({{8, ""}, {9, ""}}) << 4 << "\"temperature\"" << 1;
    QTest::newRow("id with a blank")
        << usersFile({{5, "      \"id\": \"My sensor\","}}) << 5 << "id" << 1;
    QTest::newRow("id twice") << usersFile({{5, "      \"id\": \"ok\","}}) << 5 << "\"ok\"" << 1;
    QTest::newRow("the tool's own replaced")
        << usersFile({{5, "      \"id\": \"default\","}}) << 4 << "\"default\"" << 1;
    QTest::newRow("name without English")
        << usersFile({{6, "      \"name\": {\"zh\": \"坏\"},"}}) << 6 << "name.en" << 1;
    QTest::newRow("range upside down")
        << usersFile({{9, "      \"humidity\": {\"register\": 1, \"encoding\": \"uint16\", "
                          "\"range\": [100, 0]},"}})
        << 9 << "humidity.range" << 1;
    QTest::newRow("register write without register")
        << usersFile({{10, "      \"address\": {\"change\": \"register\"}"}}) << 10
        << "address.register" << 1;
    QTest::newRow("unknown address way")
        << usersFile({{10, "      \"address\": {\"change\": \"dip\"}"}}) << 10 << "broadcast" << 1;
    QTest::newRow("parameter frame without rate codes")
        << usersFile({{10, "      \"address\": {\"change\": \"frame\"}"}}) << 10 << "\"codes\""
        << 1;
    QTest::newRow("rate code not a number")
        << usersFile({{10, "      \"address\": {\"change\": \"none\"}, \"rate\": {\"codes\": "
                           "{\"fast\": 9600}}"}})
        << 10 << "\"fast\"" << 1;
    QTest::newRow("identifying register holds nonsense")
        << usersFile({{10, "      \"identify\": [{\"function\": 3, \"register\": 5, "
                           "\"holds\": \"addr\"}]"}})
        << 10 << "identify[0].holds" << 1;
    QTest::newRow("register range backwards")
        << usersFile({{10, "      \"holdingRegisters\": [[5, 3]]"}}) << 10 << "holdingRegisters[0]"
        << 1;
    QTest::newRow("parity not offered")
        << usersFile({{10, "      \"line\": {\"baud\": 9600, \"parity\": \"M\"}"}}) << 10
        << "line.parity" << 1;
}

void TestSensorModels::brokenUsersFiles() {
    QFETCH(QByteArray, text);
    QFETCH(int, line);
    QFETCH(QString, what);
    QFETCH(int, kept);
    SensorCatalogue catalogue;
    const QString name = QStringLiteral("/home/op/sensor-models.json");
    catalogue.addUsersModels(text, name);
    // One problem, or a misspelt field's two: itself, and the field it should have been.
    QVERIFY(!catalogue.problems().isEmpty() && catalogue.problems().size() <= 2);
    const QString problem = catalogue.problems().front();
    QVERIFY2(problem.startsWith(name + QStringLiteral(" 第 %1 行：").arg(line)),
             qPrintable(problem));
    QVERIFY2(problem.contains(what), qPrintable(problem));
    // The rest of the file, and every built-in, stay.
    QCOMPARE(catalogue.models().size(), 13 + kept);
    QVERIFY(catalogue.toolsOwn().isToolsOwn() && catalogue.find(QStringLiteral("xy-md02")));
}

void TestSensorModels::unreadableUsersFile() {
    QTemporaryDir folder;
    QFile file(folder.filePath(QLatin1String(SensorCatalogue::kFileName)));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(file.resize(SensorCatalogue::kMaxFileBytes + 1));
    file.close();
    const SensorCatalogue catalogue = SensorCatalogue::load(folder.path());
    QCOMPARE(catalogue.problems().size(), 1);
    QVERIFY(catalogue.problems().front().startsWith(file.fileName()));
    QCOMPARE(catalogue.models().size(), 13);
}

// A users' model with a temperature correction register alone: its humidity box is shut,
// and whatever it holds is no input; the temperature is written. A register job ends when
// the window closes, giving the line back without a word, and the window may go mid-job.
void TestSensorModels::correctionsWriteOnlyTheModelsRegisters() {
    ToolRig f;
    QFile file(f.filePath(QLatin1String(SensorCatalogue::kFileName)));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(R"({"models": [{"id": "warm", "name": {"zh": "暖", "en": "Warm"},
       "read": {"function": 3, "first": 0, "count": 2},
       "temperature": {"register": 0, "encoding": "int16", "scale": 0.1},
       "humidity": {"register": 1, "encoding": "uint16", "scale": 0.1},
       "corrections": {"temperature": 40}}]})");
    file.close();
    f.startWindow();
    f.openPort();
    auto* models = f.w().findChild<SensorModelPart*>();
    QVERIFY(models->choose(QStringLiteral("warm")));
    models->showDialog();
    auto* box = f.w().findChild<QGroupBox*>(QStringLiteral("correctionsBox"));
    QVERIFY(box);
    auto* humidity = box->findChild<QLineEdit*>(QStringLiteral("humidityCorrection"));
    QVERIFY(!humidity->isEnabled());
    humidity->setText(QStringLiteral("wet"));
    box->findChild<QLineEdit*>(QStringLiteral("temperatureCorrection"))
        ->setText(QStringLiteral("-0.7"));
    box->findChild<QPushButton*>(QStringLiteral("writeCorrections"))->click();
    QTRY_COMPARE(f.port.written.size(), size_t(1));
    QCOMPARE(f.port.written.front(), WriteRegisterRequest(1, 40, static_cast<quint16>(-7)));
    f.w().close(); // the job ends with the window, the line with it
    QVERIFY(f.w().line().heldFor().isEmpty());
    f.window.reset();

    ToolRig g;
    g.openPort();
    QVERIFY(g.w().findChild<SensorModelPart*>()->choose(QStringLiteral("r414a01")));
    g.w().findChild<QAction*>(QStringLiteral("rateChangeAction"))->trigger();
    auto* rate = g.w().findChild<RateChangeDialog*>();
    QVERIFY(rate);
    rate->findChild<QPushButton*>(QStringLiteral("rateAccept"))->click();
    QTRY_COMPARE(g.port.written.size(), size_t(1));
    g.w().close();
    QVERIFY(g.w().line().heldFor().isEmpty());
    QCOMPARE(g.messages.shown, QStringList());
}

void TestSensorModels::scanTellsEveryBuiltInOnTheVirtualSensor_data() {
    QTest::addColumn<QString>("model");
    QTest::addColumn<int>("address");
    int index = 0;
    const SensorCatalogue catalogue;
    for (const SensorModel& model : catalogue.models()) {
        // Addresses spread over the range, off the models' defaults.
        QTest::newRow(qPrintable(model.id)) << model.id << 2 + (37 * index++) % 240;
    }
}

void TestSensorModels::scanTellsEveryBuiltInOnTheVirtualSensor() {
    QFETCH(QString, model);
    QFETCH(int, address);
    const SensorCatalogue catalogue;
    VirtualSensor::Options options;
    options.model = *catalogue.find(model);
    options.address = address;
    options.temperature = -187;
    options.humidity = 612;
    VirtualSensor sensor(options);
    QList<ProbeAnswer> answers;
    Identification step = IdentifyModel(catalogue.models(), address, answers);
    while (step.verdict == Identification::Verdict::Ask) {
        answers << askSensor(sensor, address, step.next, answers.isEmpty());
        step = IdentifyModel(catalogue.models(), address, answers);
    }
    qInfo("%s: %d requests", qPrintable(model), int(answers.size()));
    QVERIFY(answers.size() <= 1 + kMostExtraReads);
    // The tool's own sensor and the parameter-frame transmitter have the same map: no read
    // tells them apart, and the scan says so.
    if (model == QLatin1String(ModelId::kToolsOwn) || model == QLatin1String("pkth100b")) {
        QCOMPARE(step.verdict, Identification::Verdict::Unknown);
        QCOMPARE(step.candidates,
                 (QStringList{QStringLiteral("default"), QStringLiteral("pkth100b")}));
        return;
    }
    QCOMPARE(step.verdict, Identification::Verdict::Known);
    QCOMPARE(step.modelId, model);
    // What it measures, read its way from the answers that named it (within its scale).
    const ModelReadings readings = ReadingsFromAnswers(options.model, answers);
    QVERIFY(readings.temperature && readings.humidity);
    QVERIFY2(std::abs(readings.temperature->value() + 18.7) < 0.51,
             qPrintable(readings.temperature->caption));
    QVERIFY2(std::abs(readings.humidity->value() - 61.2) < 0.51,
             qPrintable(readings.humidity->caption));
}

void TestSensorModels::identificationFromGivenAnswers_data() {
    using K = ProbeAnswer::Kind;
    using V = Identification::Verdict;
    QTest::addColumn<QList<SensorModel>>("models");
    QTest::addColumn<QList<ProbeAnswer>>("answers");
    QTest::addColumn<int>("verdict");
    QTest::addColumn<QStringList>("named"); // the model, or the candidates
    const SensorCatalogue catalogue;
    const QList<SensorModel> builtIns = catalogue.models();
    const RegisterRead first{3, 0, 2};
    QTest::newRow("nothing asked yet: the tool's own read")
        << builtIns << QList<ProbeAnswer>{} << int(V::Ask) << QStringList();
    QTest::newRow("silence to the first read: nobody, at once")
        << builtIns << QList<ProbeAnswer>{answer(first, K::NoReply)} << int(V::Nobody)
        << QStringList();
    QTest::newRow("a refusal of every function: something no model fits")
        << builtIns
        << QList<ProbeAnswer>{answer(first, K::Exception, {}, 1),
                              answer({4, 0, 2}, K::Exception, {}, 1)}
        << int(V::Unknown) << QStringList();
    // A humidity-first transmitter at 60.0 % and 25.0 ℃ reads plausibly as the tool's own
    // sensor; its address register decides.
    QTest::newRow("humidity first, told by its address register")
        << builtIns
        << QList<ProbeAnswer>{answer(first, K::Registers, {600, 250}),
                              answer({4, 0, 2}, K::Exception, {}, 1),
                              answer({3, 2, 1}, K::Exception, {}, 2),
                              answer({3, 2000, 1}, K::Registers, {17})}
        << int(V::Known) << QStringList{QStringLiteral("rs-ws-n01")};
    QTest::newRow("an address register holding another address rules it out")
        << builtIns
        << QList<ProbeAnswer>{answer(first, K::Registers, {600, 250}),
                              answer({4, 0, 2}, K::Exception, {}, 1),
                              answer({3, 2, 1}, K::Exception, {}, 2),
                              answer({3, 2000, 1}, K::Registers, {18})}
        << int(V::Unknown) << QStringList{QStringLiteral("default"), QStringLiteral("pkth100b")};
    QTest::newRow("an implausible reading rules the map out")
        << builtIns
        << QList<ProbeAnswer>{answer(first, K::Registers, {0x4000, 250}),
                              answer({4, 0, 2}, K::Exception, {}, 1),
                              answer({3, 2, 1}, K::Exception, {}, 2),
                              answer({3, 2000, 1}, K::Registers, {17}),
                              answer({3, 18, 2}, K::Exception, {}, 2)}
        << int(V::Unknown) << QStringList();
    QTest::newRow("the one model left shows its own read before it is named")
        << builtIns
        << QList<ProbeAnswer>{answer(first, K::Registers, {0x4000, 250}),
                              answer({4, 0, 2}, K::Exception, {}, 1),
                              answer({3, 2, 1}, K::Exception, {}, 2),
                              answer({3, 2000, 1}, K::Registers, {17})}
        << int(V::Ask) << QStringList();
    // Two models no read tells apart, from the users' file and built in.
    SensorModel twin = *catalogue.find(QStringLiteral("xy-md02"));
    twin.id = QStringLiteral("my-xy");
    QTest::newRow("twins stay candidates")
        << (builtIns + QList<SensorModel>{twin})
        << QList<ProbeAnswer>{answer(first, K::Exception, {}, 2),
                              answer({4, 1, 2}, K::Registers, {0xFF33, 455}),
                              answer({3, 257, 1}, K::Registers, {17})}
        << int(V::Unknown) << QStringList{QStringLiteral("xy-md02"), QStringLiteral("my-xy")};
    QTest::newRow("a sensor error is still the model's reading")
        << builtIns
        << QList<ProbeAnswer>{answer(first, K::Exception, {}, 2),
                              answer({4, 1, 2}, K::Exception, {}, 2),
                              answer({3, 18, 2}, K::Exception, {}, 2),
                              answer({4, 0, 2}, K::Registers, {0x7FFF, 455})}
        << int(V::Known) << QStringList{QStringLiteral("wb-msw3")};
    QList<ProbeAnswer> silent{answer(first, K::Registers, {250, 600})};
    for (const RegisterRead& read :
         {RegisterRead{4, 0, 2}, RegisterRead{3, 2, 1}, RegisterRead{3, 2000, 1},
          RegisterRead{3, 100, 1}, RegisterRead{3, 1536, 1}, RegisterRead{4, 0, 6}})
        silent << answer(read, K::NoReply);
    QTest::newRow("no more than six reads after the first")
        << builtIns << silent << int(V::Unknown)
        << QStringList{QStringLiteral("default"),    QStringLiteral("rs-ws-n01"),
                       QStringLiteral("kincony-ts"), QStringLiteral("r414a01"),
                       QStringLiteral("t10s-b"),     QStringLiteral("pkth100b"),
                       QStringLiteral("hmp110")};
}

void TestSensorModels::identificationFromGivenAnswers() {
    QFETCH(QList<SensorModel>, models);
    QFETCH(QList<ProbeAnswer>, answers);
    QFETCH(int, verdict);
    QFETCH(QStringList, named);
    const Identification step = IdentifyModel(models, 17, answers);
    QCOMPARE(int(step.verdict), verdict);
    if (step.verdict == Identification::Verdict::Known)
        QCOMPARE(QStringList{step.modelId}, named);
    else
        QCOMPARE(step.candidates, named);
    if (step.verdict == Identification::Verdict::Ask && answers.isEmpty())
        QCOMPARE(ReadRegistersRequest(17, step.next), ReadRequest(17));
    else if (step.verdict == Identification::Verdict::Ask)
        QVERIFY(step.next.first == 18 && step.next.count == 2); // the soil probe's own read
}

QTEST_MAIN(TestSensorModels)
#include "test_sensor_models.moc"
