// SPDX-License-Identifier: MIT
// The monitoring configurations read what the tool reads: mbpoll's commands run against the
// virtual sensor, and the Telegraf and Home Assistant files, parsed by Python's own TOML and
// YAML readers, carry each model's register, function, data type, scale and unit.
#include "handover/handover_dialog.h"
#include "handover_files.h"
#include "model_readings.h"
#include "sensor_catalogue.h"
#include "sim_process.h"
#include "tool_rig.h"
#include "tool_settings.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

Q_DECLARE_METATYPE(HandoverLine)
Q_DECLARE_METATYPE(SensorModel)

class TestHandover : public QObject {
    Q_OBJECT
private slots:
    void filesCarryEveryModel_data();
    void filesCarryEveryModel();
    void mbpollReadsTheToolsValues_data();
    void mbpollReadsTheToolsValues();
    void dialogTakesTheWindowsLineAndNames();
};

namespace {

constexpr int kTemperatureTenths = -205;
constexpr int kHumidityTenths = 567;

// Parses the two files with Debian's python3 and hands back both as JSON.
const char* const kParser = R"(
import json, sys, yaml
try:
    import tomllib
    telegraf = tomllib.load(open(sys.argv[1], 'rb'))
except ImportError:
    import toml
    telegraf = toml.load(sys.argv[1])
print(json.dumps({'telegraf': telegraf, 'ha': yaml.safe_load(open(sys.argv[2]))}))
)";

QString python() {
    const QString debian =
        QStandardPaths::findExecutable(QStringLiteral("python3"), {QStringLiteral("/usr/bin")});
    return debian.isEmpty() ? QStringLiteral("python3") : debian;
}

bool writeFile(const QString& path, const QString& text) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) >= 0;
}

QString unitOf(const ValueMap& map) {
    return QString(map.unit).replace(QChar(0x2103), QStringLiteral("\u00b0C"));
}

// What a model says of one readout, in the words of both files.
struct Expected {
    QString key;
    int function;
    const ValueMap* map;
};

QList<Expected> expectedOf(const SensorModel& model) {
    QList<Expected> list;
    if (model.temperature)
        list << Expected{QStringLiteral("temperature"), model.read.function, &*model.temperature};
    if (model.humidity)
        list << Expected{model.humidity->name.en.contains(QLatin1String("moisture"))
                             ? QStringLiteral("moisture")
                             : QStringLiteral("humidity"),
                         model.read.function, &*model.humidity};
    return list;
}

QString typeName(ValueEncoding encoding) {
    switch (encoding) {
    case ValueEncoding::Int16:
        return QStringLiteral("int16");
    case ValueEncoding::Float32:
        return QStringLiteral("float32");
    default:
        return QStringLiteral("uint16");
    }
}

double scaleOf(const ValueMap& map) {
    const bool integer =
        map.encoding == ValueEncoding::Int16 || map.encoding == ValueEncoding::UInt16;
    return integer ? std::pow(10.0, -map.scaleDecimals) : 1.0;
}

QList<HandoverLine> everyKindOfLine() {
    HandoverLine serial;
    serial.device = QStringLiteral("/dev/serial/by-id/usb-FTDI_FT232R-if00-port0");
    serial.setup = {4800, {QLatin1Char('E'), 1}};
    HandoverLine windows = serial;
    windows.device = QStringLiteral("COM7");
    windows.setup = {19200, {QLatin1Char('N'), 2}};
    HandoverLine raw;
    raw.kind = HandoverLine::Kind::RawTcp;
    raw.host = QStringLiteral("10.1.2.30");
    raw.tcpPort = 4001;
    HandoverLine gateway;
    gateway.kind = HandoverLine::Kind::Gateway;
    gateway.host = QStringLiteral("gw.plant.example");
    gateway.tcpPort = 1502;
    return {serial, windows, raw, gateway};
}

} // namespace

void TestHandover::filesCarryEveryModel_data() {
    QTest::addColumn<HandoverLine>("line");
    const QStringList names{QStringLiteral("serial"), QStringLiteral("windows port"),
                            QStringLiteral("raw TCP"), QStringLiteral("gateway")};
    const QList<HandoverLine> lines = everyKindOfLine();
    for (int i = 0; i < lines.size(); ++i)
        QTest::newRow(qPrintable(names[i])) << lines[i];
}

void TestHandover::filesCarryEveryModel() {
    QFETCH(HandoverLine, line);
    const SensorCatalogue catalogue;
    HandoverBus bus;
    bus.line = line;
    int address = 3;
    for (const SensorModel& model : catalogue.models()) {
        // A name as an operator might type it, quotes and all.
        bus.sensors << HandoverSensor{address, QStringLiteral("机房 \"%1\"").arg(address), model};
        address += 17;
    }
    QTemporaryDir dir;
    const QString toml = dir.filePath(QStringLiteral("telegraf.conf"));
    const QString yaml = dir.filePath(QStringLiteral("modbus.yaml"));
    QVERIFY(writeFile(toml, TelegrafConfig(bus)));
    QVERIFY(writeFile(yaml, HomeAssistantConfig(bus)));
    QProcess parser;
    parser.start(python(), {QStringLiteral("-c"), QString::fromUtf8(kParser), toml, yaml});
    QVERIFY(parser.waitForFinished(30000));
    QVERIFY2(parser.exitCode() == 0, parser.readAllStandardError().constData());
    const QJsonObject parsed = QJsonDocument::fromJson(parser.readAllStandardOutput()).object();

    const QJsonObject plugin = parsed[QStringLiteral("telegraf")]
                                   .toObject()[QStringLiteral("inputs")]
                                   .toObject()[QStringLiteral("modbus")]
                                   .toArray()
                                   .at(0)
                                   .toObject();
    const QJsonObject hub = parsed[QStringLiteral("ha")]
                                .toObject()[QStringLiteral("modbus")]
                                .toArray()
                                .at(0)
                                .toObject();
    const QString mode = plugin[QStringLiteral("transmission_mode")].toString();
    const QString controller = plugin[QStringLiteral("controller")].toString();
    switch (line.kind) {
    case HandoverLine::Kind::LocalSerial:
        QCOMPARE(mode, QStringLiteral("RTU"));
        QCOMPARE(controller, line.device.startsWith(QLatin1String("COM"))
                                 ? line.device
                                 : QStringLiteral("file://") + line.device);
        QCOMPARE(plugin[QStringLiteral("baud_rate")].toInt(), line.setup.baud);
        QCOMPARE(plugin[QStringLiteral("parity")].toString(), QString(line.setup.format.parity));
        QCOMPARE(plugin[QStringLiteral("stop_bits")].toInt(), line.setup.format.stopBits);
        QCOMPARE(hub[QStringLiteral("type")].toString(), QStringLiteral("serial"));
        QCOMPARE(hub[QStringLiteral("port")].toString(), line.device);
        QCOMPARE(hub[QStringLiteral("baudrate")].toInt(), line.setup.baud);
        QCOMPARE(hub[QStringLiteral("parity")].toString(), QString(line.setup.format.parity));
        QCOMPARE(hub[QStringLiteral("stopbits")].toInt(), line.setup.format.stopBits);
        break;
    case HandoverLine::Kind::RawTcp:
    case HandoverLine::Kind::Gateway: {
        const bool raw = line.kind == HandoverLine::Kind::RawTcp;
        QCOMPARE(mode, raw ? QStringLiteral("RTUoverTCP") : QStringLiteral("TCP"));
        QCOMPARE(controller, QStringLiteral("tcp://%1:%2").arg(line.host).arg(line.tcpPort));
        QCOMPARE(hub[QStringLiteral("type")].toString(),
                 raw ? QStringLiteral("rtuovertcp") : QStringLiteral("tcp"));
        QCOMPARE(hub[QStringLiteral("host")].toString(), line.host);
        QCOMPARE(hub[QStringLiteral("port")].toInt(), line.tcpPort);
        break;
    }
    }

    // Telegraf: each sensor's fields, whatever requests they are spread over.
    const QJsonArray requests = plugin[QStringLiteral("request")].toArray();
    const QJsonArray entities = hub[QStringLiteral("sensors")].toArray();
    int entity = 0;
    for (const HandoverSensor& sensor : bus.sensors) {
        for (const Expected& want : expectedOf(sensor.model)) {
            const QString context = sensor.model.id + QLatin1Char(' ') + want.key;
            const bool raw = want.map->encoding == ValueEncoding::SignMagnitude;
            const QString register_ =
                want.function == 0x04 ? QStringLiteral("input") : QStringLiteral("holding");
            const bool lowFirst = want.map->encoding == ValueEncoding::Float32 &&
                                  want.map->wordOrder == WordOrder::LowFirst;
            int found = 0;
            for (const QJsonValue& value : requests) {
                const QJsonObject request = value.toObject();
                if (request[QStringLiteral("slave_id")].toInt() != sensor.address)
                    continue;
                QCOMPARE(
                    request[QStringLiteral("tags")].toObject()[QStringLiteral("sensor")].toString(),
                    sensor.name);
                for (const QJsonValue& f : request[QStringLiteral("fields")].toArray()) {
                    const QJsonObject field = f.toObject();
                    if (!field[QStringLiteral("name")].toString().startsWith(want.key))
                        continue;
                    ++found;
                    QVERIFY2(request[QStringLiteral("register")] == register_, qPrintable(context));
                    QCOMPARE(request[QStringLiteral("byte_order")].toString(),
                             lowFirst ? QStringLiteral("CDAB") : QStringLiteral("ABCD"));
                    QCOMPARE(field[QStringLiteral("address")].toInt(), want.map->registerNumber);
                    QCOMPARE(field[QStringLiteral("type")].toString(),
                             typeName(want.map->encoding).toUpper());
                    QCOMPARE(field[QStringLiteral("scale")].toDouble(1.0),
                             raw ? 1.0 : scaleOf(*want.map));
                }
            }
            QVERIFY2(found == 1, qPrintable(context));

            // Home Assistant: one entity per readout, in the model's order.
            const QJsonObject ha = entities.at(entity++).toObject();
            QCOMPARE(ha[QStringLiteral("name")].toString().section(QLatin1Char(' '), 0, 1),
                     sensor.name);
            QCOMPARE(ha[QStringLiteral("slave")].toInt(), sensor.address);
            QCOMPARE(ha[QStringLiteral("address")].toInt(), want.map->registerNumber);
            QCOMPARE(ha[QStringLiteral("input_type")].toString(), register_);
            QCOMPARE(ha[QStringLiteral("data_type")].toString(), typeName(want.map->encoding));
            QCOMPARE(ha[QStringLiteral("swap")].toString(QStringLiteral("none")),
                     lowFirst ? QStringLiteral("word") : QStringLiteral("none"));
            QCOMPARE(ha[QStringLiteral("scale")].toDouble(), raw ? 1.0 : scaleOf(*want.map));
            QCOMPARE(ha[QStringLiteral("unit_of_measurement")].toString(),
                     raw ? QString() : unitOf(*want.map));
            QCOMPARE(ha[QStringLiteral("device_class")].toString(), raw ? QString() : want.key);
        }
    }
    QCOMPARE(entities.size(), entity);
}

void TestHandover::mbpollReadsTheToolsValues_data() {
    QTest::addColumn<SensorModel>("model");
    const SensorCatalogue catalogue;
    for (const SensorModel& model : catalogue.models())
        QTest::newRow(qPrintable(model.id)) << model;
}

void TestHandover::mbpollReadsTheToolsValues() {
    QFETCH(SensorModel, model);
    if (QStandardPaths::findExecutable(QStringLiteral("mbpoll")).isEmpty())
        QSKIP("mbpoll is not installed (scripts/deps)");
    QTemporaryDir dir;
    SimProcess sim(dir.path());
    const int address = model.defaultAddress == 1 ? 23 : model.defaultAddress;
    QVERIFY(sim.start({QStringLiteral("--model"), model.id, QStringLiteral("--address"),
                       QString::number(address), QStringLiteral("--temperature"),
                       QString::number(kTemperatureTenths), QStringLiteral("--humidity"),
                       QString::number(kHumidityTenths)}));
    HandoverBus bus;
    bus.line.device = sim.linkPath();
    bus.line.setup = model.line;
    bus.sensors << HandoverSensor{address, QStringLiteral("probe"), model};

    // What mbpoll prints, register by register: "[n]: \t65331 (-205)" or "[n]: \t-20.5".
    QMap<int, double> printed;
    const QRegularExpression row(QStringLiteral(R"(^\[(\d+)\]:\s+(\S+)(?:\s+\((-?\d+)\))?$)"));
    for (const QString& line : MbpollCommands(bus).split(QLatin1Char('\n'))) {
        if (!line.startsWith(QLatin1String("mbpoll ")))
            continue;
        QStringList args = QProcess::splitCommand(line);
        QProcess mbpoll;
        mbpoll.start(args.takeFirst(), args);
        QVERIFY(mbpoll.waitForFinished(20000));
        const QString output = QString::fromUtf8(mbpoll.readAllStandardOutput());
        QVERIFY2(mbpoll.exitCode() == 0, qPrintable(line + QLatin1Char('\n') + output));
        for (const QString& text : output.split(QLatin1Char('\n'))) {
            const auto match = row.match(text.trimmed());
            if (match.hasMatch())
                printed[match.captured(1).toInt()] = match.captured(3).isEmpty()
                                                         ? match.captured(2).toDouble()
                                                         : match.captured(3).toDouble();
        }
    }
    for (const Expected& want : expectedOf(model)) {
        const ValueMap& map = *want.map;
        QVERIFY2(printed.contains(map.registerNumber), qPrintable(want.key));
        // The comment's way from mbpoll's number to the reading.
        double value = printed[map.registerNumber];
        if (map.encoding == ValueEncoding::SignMagnitude && value >= map.signOffset)
            value = -(value - map.signOffset);
        if (map.encoding != ValueEncoding::Float32)
            value *= std::pow(10.0, -map.scaleDecimals);
        // The tool's own decoding of what the sensor sends.
        const int tenths =
            want.key == QLatin1String("temperature") ? kTemperatureTenths : kHumidityTenths;
        const auto readout = DecodeReadout(map, EncodeReadout(map, tenths, 1), map.registerNumber);
        QVERIFY(readout && !readout->sensorError());
        QVERIFY2(std::abs(value - readout->value()) < 1e-4,
                 qPrintable(QStringLiteral("%1: mbpoll %2, the tool %3")
                                .arg(want.key)
                                .arg(value)
                                .arg(readout->value())));
    }
}

// 导出配置… from the window: the polled address on the window's line, the port's device as
// the system names it, a server's address; a name typed in the dialog reaches every file and
// the saved files are the previews.
void TestHandover::dialogTakesTheWindowsLineAndNames() {
    const auto openDialog = [](ToolRig& f) {
        f.w().findChild<QAction*>(QStringLiteral("handoverAction"))->trigger();
        auto* dialog = f.w().findChild<HandoverDialog*>();
        return dialog && dialog->isVisible() ? dialog : nullptr;
    };
    ToolRig f(QByteArray("3\r\n19200\r\n"));
    f.ui().Combo_Addr(2)->setText(QStringLiteral("17"));
    HandoverDialog* dialog = openDialog(f);
    QVERIFY(dialog);
    QCOMPARE(dialog->bus().line.kind, HandoverLine::Kind::LocalSerial);
    QCOMPARE(dialog->bus().line.setup.text(), QStringLiteral("19200 8N1"));
    QCOMPARE(dialog->bus().sensors.size(), 1);
    QCOMPARE(dialog->bus().sensors.front().address, 17);
    // No device behind COM3 here: the dialog says so, and the file names the usual one.
    const QString device = dialog->bus().line.device;
    QVERIFY(!device.isEmpty());
    QVERIFY(dialog->findChild<QLabel*>(QStringLiteral("handoverNote"))
                ->text()
                .contains(QStringLiteral("COM3")));

    const QString name = QStringLiteral("机房 A \"北\" 温湿度");
    dialog->findChild<QTableWidget*>(QStringLiteral("handoverSensors"))->item(0, 2)->setText(name);
    for (const char* id : {"telegraf", "home-assistant", "mbpoll"}) {
        const QString text =
            dialog->findChild<QPlainTextEdit*>(QLatin1String("preview-") + QLatin1String(id))
                ->toPlainText();
        QVERIFY2(text.contains(QStringLiteral("机房 A")), id);
    }
    QTemporaryDir out;
    QString error;
    QVERIFY2(dialog->saveInto(out.path(), &error), qPrintable(error));
    for (const HandoverFile& file : HandoverFiles(dialog->bus())) {
        QFile saved(QDir(out.path()).filePath(file.fileName));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(saved.readAll()), file.text);
        QCOMPARE(
            dialog->findChild<QPlainTextEdit*>(QStringLiteral("preview-") + file.id)->toPlainText(),
            file.text);
    }

    // The system's stable name for the device, where it has one.
    f.devices.devices = {{device, {}, {}, {}, QStringLiteral("/dev/serial/by-id/usb-FTDI-if00")}};
    dialog = openDialog(f);
    QCOMPARE(dialog->bus().line.device, QStringLiteral("/dev/serial/by-id/usb-FTDI-if00"));

    // A port mapped to a serial server: its address; an RFC 2217 server's line is the note's.
    for (const auto kind : {ServerAddress::Kind::RawTcp, ServerAddress::Kind::Rfc2217}) {
        ToolRig::Options options = ToolRig::WithComTxt(QByteArray("4\r\n9600\r\n"));
        options.startWindow = false;
        ToolRig mapped(options);
        ServerMap servers;
        servers[4] = {kind, QStringLiteral("10.9.8.7"), 4004};
        ToolSettings(mapped.folder).setServers(servers);
        mapped.startWindow();
        HandoverDialog* served = openDialog(mapped);
        QVERIFY(served);
        QCOMPARE(served->bus().line.kind, HandoverLine::Kind::RawTcp);
        QCOMPARE(served->bus().line.host, QStringLiteral("10.9.8.7"));
        QCOMPARE(served->bus().line.tcpPort, 4004);
        const QString note = served->findChild<QLabel*>(QStringLiteral("handoverNote"))->text();
        QCOMPARE(note.contains(QStringLiteral("9600 8N1")), kind == ServerAddress::Kind::Rfc2217);
    }
}

QTEST_MAIN(TestHandover)
#include "test_handover.moc"
