// SPDX-License-Identifier: MIT
#include "address_text.h"
#include "crc.h"
#include "hex_transcript.h"
#include "mbap_frame.h"
#include "model_readings.h"
#include "readings.h"
#include "reply_check.h"
#include "scan_reply.h"
#include "sensor_catalogue.h"

#include <QTest>

class TestCodec : public QObject {
    Q_OBJECT
private slots:
    void crcOfKnownFrames_data();
    void crcOfKnownFrames();
    void crcLeavesCallerBufferAndCoversOnlyLastIndex();
    void requestsForEveryAddressEndInTheirOwnCrc();
    void transcriptRendersEveryByteAsTwoDigitsAndSpace();
    void transcriptAppendsAcrossCalls();
    void checkReply_data();
    void checkReply();
    void decodeReadings_data();
    void decodeReadings();
    void decodeLeavesReadoutsAloneWhenItMust_data();
    void decodeLeavesReadoutsAloneWhenItMust();
    void decodeUsesLocaleDecimalSeparator();
    void addressText_data();
    void addressText();
    void scanReplyVerdicts_data();
    void scanReplyVerdicts();
    void modelReadouts_data();
    void modelReadouts();
    void otherModelsRequestsAndReplies();
    void mbapRequests_data();
    void mbapRequests();
    void mbapAnswers_data();
    void mbapAnswers();
};

namespace {

// The tool's own sensor as the program ships it.
const SensorModel& toolsOwn() {
    static const SensorCatalogue catalogue;
    return catalogue.toolsOwn();
}

const SensorModel& builtIn(const char* id) {
    static const SensorCatalogue catalogue;
    return *catalogue.find(QLatin1String(id));
}

QByteArray framed(const char* hex) {
    const QByteArray body = QByteArray::fromHex(hex);
    return AppendCRC(body, static_cast<std::uint8_t>(body.size() - 1));
}

} // namespace

void TestCodec::crcOfKnownFrames_data() {
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QByteArray>("frame");
    QTest::newRow("123456789") << QByteArray("123456789") << QByteArray("123456789\x37\x4B", 11);
    QTest::newRow("read 1") << QByteArray::fromHex("010300000002")
                            << QByteArray::fromHex("010300000002C40B");
    QTest::newRow("read 2") << QByteArray::fromHex("020300000002")
                            << QByteArray::fromHex("020300000002C438");
    QTest::newRow("read 16") << QByteArray::fromHex("100300000002")
                             << QByteArray::fromHex("100300000002C74A");
    QTest::newRow("read 0") << QByteArray::fromHex("000300000002")
                            << QByteArray::fromHex("000300000002C5DA");
    QTest::newRow("write 1") << QByteArray::fromHex("000600000001")
                             << QByteArray::fromHex("00060000000149DB");
    QTest::newRow("write 2") << QByteArray::fromHex("000600000002")
                             << QByteArray::fromHex("00060000000209DA");
    QTest::newRow("one byte 01") << QByteArray::fromHex("01") << QByteArray::fromHex("017E80");
    QTest::newRow("one byte 00") << QByteArray::fromHex("00") << QByteArray::fromHex("00BF40");
}

void TestCodec::crcOfKnownFrames() {
    QFETCH(QByteArray, data);
    QFETCH(QByteArray, frame);
    QCOMPARE(AppendCRC(data, static_cast<std::uint8_t>(data.size() - 1)), frame);
}

void TestCodec::crcLeavesCallerBufferAndCoversOnlyLastIndex() {
    const QByteArray buffer = QByteArray::fromHex("0103000000029999");
    const QByteArray before = buffer;
    const QByteArray frame = AppendCRC(buffer, 5);
    QCOMPARE(buffer, before);
    QCOMPARE(frame.size(), 8);
    QCOMPARE(frame, QByteArray::fromHex("010300000002C40B"));
}

void TestCodec::requestsForEveryAddressEndInTheirOwnCrc() {
    QCOMPARE(ReadRequest(1), QByteArray::fromHex("010300000002C40B"));
    QCOMPARE(AddressWriteRequest(5), QByteArray::fromHex("0006000000054818"));
    QCOMPARE(ReadRequest(255).left(6), QByteArray::fromHex("FF0300000002"));
    // A frame followed by its own CRC checks to zero: the property every Modbus peer uses.
    for (int address = 0; address <= 255; ++address) {
        const QByteArray read = ReadRequest(static_cast<std::uint8_t>(address));
        QCOMPARE(read.size(), 8);
        QCOMPARE(AppendCRC(read, 7).right(2), QByteArray(2, '\0'));
        const QByteArray write = AddressWriteRequest(static_cast<std::uint8_t>(address));
        QCOMPARE(static_cast<std::uint8_t>(write[5]), address);
        QCOMPARE(AppendCRC(write, 7).right(2), QByteArray(2, '\0'));
        // The tool's own model asks exactly as the tool always has.
        const auto own = static_cast<std::uint8_t>(address);
        QCOMPARE(ModelReadRequest(toolsOwn(), own), read);
        QCOMPARE(ModelAddressRequest(toolsOwn(), static_cast<std::uint8_t>(address ^ 0x5A), own),
                 write);
        QCOMPARE(ExpectedAddressReply(toolsOwn(), write), write);
    }
}

void TestCodec::transcriptRendersEveryByteAsTwoDigitsAndSpace() {
    QCOMPARE(Transcript(QByteArray::fromHex("000F10FF0A")), QStringLiteral("00 0F 10 FF 0A "));
    QCOMPARE(Transcript(ReadRequest(1)), QStringLiteral("01 03 00 00 00 02 C4 0B "));
    QVERIFY(Transcript({}).isEmpty());
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    const QString text = Transcript(all);
    QCOMPARE(text.size(), 3 * 256);
    for (int k = 0; k < 256; ++k) {
        QCOMPARE(text.mid(3 * k, 2), QString::asprintf("%02X", k));
        QCOMPARE(text[3 * k + 2], QLatin1Char(' '));
    }
}

void TestCodec::transcriptAppendsAcrossCalls() {
    QString text = QStringLiteral("AA ");
    AppendTranscript(text, QByteArray::fromHex("0103"));
    AppendTranscript(text, QByteArray::fromHex("04"));
    AppendTranscript(text, {});
    QCOMPARE(text, QStringLiteral("AA 01 03 04 "));
}

void TestCodec::checkReply_data() {
    QTest::addColumn<QString>("sent");
    QTest::addColumn<QString>("received");
    QTest::addColumn<ReplyFault>("fault"); // None: accepted
    QTest::addColumn<int>("exceptionCode");
    const QString read1 = QStringLiteral("01 03 00 00 00 02 C4 0B ");
    const QString write5 = QStringLiteral("00 06 00 00 00 05 48 18 ");
    const auto withCrc = [](const char* hex) {
        const QByteArray data = QByteArray::fromHex(hex);
        return Transcript(AppendCRC(data, static_cast<std::uint8_t>(data.size() - 1)));
    };
    using F = ReplyFault;
    QTest::newRow("normal reply") << read1 << QStringLiteral("01 03 04 00 FA 02 58 DA 98 ")
                                  << F::None << 0;
    QTest::newRow("one register") << read1 << QStringLiteral("01 03 02 00 FA 38 07 ") << F::None
                                  << 0;
    QTest::newRow("24 chars with 03")
        << read1 << QStringLiteral("01 03 00 00 00 02 C4 0B ") << F::None << 0;
    QTest::newRow("eight registers") << read1
                                     << withCrc("010310"
                                                "00110011001100110011001100110011")
                                     << F::None << 0;
    QTest::newRow("eight registers, wrong crc")
        << read1
        << QStringLiteral("01 03 10 ") + QStringLiteral("00 11 ").repeated(8) +
               QStringLiteral("AA BB ")
        << F::CrcError << 0;
    QTest::newRow("echo of address write") << write5 << write5 << F::None << 0;

    // A wrong frame check refuses the reply, whichever byte was spoilt.
    QTest::newRow("crc zeroed") << read1 << QStringLiteral("01 03 04 00 FA 02 58 00 00 ")
                                << F::CrcError << 0;
    QTest::newRow("crc bytes swapped")
        << read1 << QStringLiteral("01 03 04 00 FA 02 58 98 DA ") << F::CrcError << 0;
    QTest::newRow("value spoilt") << read1 << QStringLiteral("01 03 04 00 FB 02 58 DA 98 ")
                                  << F::CrcError << 0;
    QTest::newRow("byte count spoilt")
        << read1 << QStringLiteral("01 03 05 00 FA 02 58 DA 98 ") << F::CrcError << 0;
    QTest::newRow("one register, crc spoilt")
        << read1 << QStringLiteral("01 03 02 00 FA 38 08 ") << F::CrcError << 0;
    QTest::newRow("echo with spoilt crc")
        << write5 << QStringLiteral("00 06 00 00 00 05 48 19 ") << F::CrcError << 0;

    QTest::newRow("other address")
        << read1 << QStringLiteral("02 03 04 00 FA 02 58 DA 98 ") << F::WrongSender << 0;
    QTest::newRow("function 04 after a read")
        << read1 << QStringLiteral("01 04 04 00 FA 02 58 DA 98 ") << F::WrongSender << 0;
    QTest::newRow("function 06 after a read")
        << read1 << QStringLiteral("01 06 00 00 00 05 48 18 ") << F::WrongSender << 0;
    QTest::newRow("exception 02") << read1 << QStringLiteral("01 83 02 C0 F1 ") << F::Exception
                                  << 2;
    QTest::newRow("exception 04") << read1 << withCrc("018304") << F::Exception << 4;
    QTest::newRow("gateway: target failed to respond")
        << read1 << withCrc("01830B") << F::NoReply << 0x0B;
    QTest::newRow("gateway: path unavailable")
        << read1 << withCrc("01830A") << F::GatewayRefused << 0x0A;
    QTest::newRow("gateway's 0B to the address write")
        << write5 << withCrc("00860B") << F::NoReply << 0x0B;
    QTest::newRow("0B from another address") << read1 << withCrc("02830B") << F::WrongLength << 0;
    QTest::newRow("exception with spoilt crc")
        << read1 << QStringLiteral("01 83 02 C0 F2 ") << F::CrcError << 0;
    QTest::newRow("exception from another address")
        << read1 << withCrc("028302") << F::WrongLength << 0;
    QTest::newRow("exception padded to 27")
        << read1 << QStringLiteral("01 83 04 00 FA 02 58 DA 98 ") << F::WrongSender << 0;
    QTest::newRow("18 characters")
        << read1 << QStringLiteral("01 03 04 00 FA 02 ") << F::WrongLength << 0;
    QTest::newRow("30 characters")
        << read1 << QStringLiteral("01 03 04 00 FA 02 58 DA 98 00 ") << F::WrongLength << 0;
    QTest::newRow("nothing") << read1 << QString() << F::NoReply << 0;
    QTest::newRow("garbage in front")
        << read1 << QStringLiteral("FF 01 03 04 00 FA 02 58 DA ") << F::WrongSender << 0;
    QTest::newRow("empty sent") << QString() << QStringLiteral("01 03 04 00 FA 02 58 DA 98 ")
                                << F::WrongSender << 0;
    QTest::newRow("case-sensitive")
        << QStringLiteral("0A 03 00 00 00 02 00 00 ")
        << QStringLiteral("0a 03 04 00 FA 02 58 DA 98 ") << F::WrongSender << 0;
}

void TestCodec::checkReply() {
    QFETCH(QString, sent);
    QFETCH(QString, received);
    QFETCH(ReplyFault, fault);
    QFETCH(int, exceptionCode);
    const ReplyVerdict verdict = JudgeReply(sent, received);
    QCOMPARE(verdict.fault, fault);
    QCOMPARE(verdict.exceptionCode, exceptionCode);
    QCOMPARE(CheckReply(sent, received), fault == ReplyFault::None);
    const ReplyVerdict asModel = JudgeReply(sent, received, AcceptedReplyBytes(toolsOwn()));
    QCOMPARE(asModel.fault, fault);
    QCOMPARE(asModel.exceptionCode, exceptionCode);
}

void TestCodec::decodeReadings_data() {
    QTest::addColumn<QString>("reply");
    QTest::addColumn<QString>("temperature");
    QTest::addColumn<QString>("humidity"); // "-" = left unchanged
    const auto reply = [](const char* t, const char* h) {
        return QStringLiteral("01 03 04 %1 %2 DA 98 ").arg(QLatin1String(t), QLatin1String(h));
    };
    QTest::newRow("25.0 / 60.0") << reply("00 FA", "02 58") << QStringLiteral("25.0℃")
                                 << QStringLiteral("60.0%");
    QTest::newRow("-10.0 / 50.0") << reply("FF 9C", "01 F4") << QStringLiteral("-10.0℃")
                                  << QStringLiteral("50.0%");
    QTest::newRow("zero") << reply("00 00", "00 00") << QStringLiteral("0.0℃")
                          << QStringLiteral("0.0%");
    QTest::newRow("half") << reply("00 05", "00 05") << QStringLiteral("0.5℃")
                          << QStringLiteral("0.5%");
    QTest::newRow("7FFF") << reply("7F FF", "7F FF") << QStringLiteral("3276.7℃")
                          << QStringLiteral("3276.7%");
    QTest::newRow("8000") << reply("80 00", "80 00") << QStringLiteral("-3276.8℃")
                          << QStringLiteral("3276.8%");
    QTest::newRow("FFFF") << reply("FF FF", "FF FF") << QStringLiteral("-0.1℃")
                          << QStringLiteral("6553.5%");
    QTest::newRow("eight registers")
        << QStringLiteral("01 03 10 01 2C 03 20 ") + QStringLiteral("FF FF ").repeated(6) +
               QStringLiteral("AA BB ")
        << QStringLiteral("30.0℃") << QStringLiteral("80.0%");
    QTest::newRow("one register keeps humidity") << QStringLiteral("01 03 02 00 FA 38 07 ")
                                                 << QStringLiteral("25.0℃") << QStringLiteral("-");
}

void TestCodec::decodeReadings() {
    QFETCH(QString, reply);
    QFETCH(QString, temperature);
    QFETCH(QString, humidity);
    const auto readings = DecodeReadings(reply, true, QLocale::c());
    QVERIFY(readings);
    QCOMPARE(readings->temperature, temperature);
    if (humidity == QLatin1String("-"))
        QVERIFY(!readings->humidity);
    else
        QCOMPARE(readings->humidity.value_or(QString()), humidity);

    // The tool's own model shows the same, from the transcript and from the registers.
    const auto words = ReplyRegisters(QByteArray::fromHex(reply.toLatin1()));
    QVERIFY(words);
    const auto shown = DecodeModelReply(toolsOwn(), reply, true, QLocale::c());
    QVERIFY(shown);
    for (const ModelReadings& asModel :
         {*shown, DecodeModelRegisters(toolsOwn(), *words, QLocale::c())}) {
        QVERIFY(asModel.temperature);
        QCOMPARE(asModel.temperature->caption, temperature);
        QCOMPARE(asModel.temperature->scaled.value_or(-1), qint64(readings->temperatureTenths));
        QCOMPARE(asModel.humidity.has_value(), readings->humidity.has_value());
        if (asModel.humidity)
            QCOMPARE(asModel.humidity->caption, humidity);
    }
}

void TestCodec::decodeLeavesReadoutsAloneWhenItMust_data() {
    QTest::addColumn<QString>("reply");
    QTest::addColumn<bool>("running");
    QTest::newRow("acquisition stopped") << QStringLiteral("01 03 04 00 FA 02 58 DA 98 ") << false;
    QTest::newRow("address-write echo") << QStringLiteral("00 06 00 00 00 05 48 18 ") << true;
    QTest::newRow("24 characters with 03") << QStringLiteral("01 03 00 00 00 02 C4 0B ") << true;
    QTest::newRow("function 04") << QStringLiteral("01 04 04 00 FA 02 58 DA 98 ") << true;
    QTest::newRow("other length") << QStringLiteral("01 03 04 00 FA 02 58 DA ") << true;
    QTest::newRow("not hex") << QStringLiteral("01 03 04 0G FA 02 58 DA 98 ") << true;
    QTest::newRow("lower-case hex") << QStringLiteral("01 03 04 00 fa 02 58 DA 98 ") << true;
    QTest::newRow("empty") << QString() << true;
}

void TestCodec::decodeLeavesReadoutsAloneWhenItMust() {
    QFETCH(QString, reply);
    QFETCH(bool, running);
    QVERIFY(!DecodeReadings(reply, running, QLocale::c()));
    QVERIFY(!DecodeModelReply(toolsOwn(), reply, running, QLocale::c()));
}

void TestCodec::decodeUsesLocaleDecimalSeparator() {
    const auto german = DecodeReadings(QStringLiteral("01 03 04 0C 80 27 10 DA 98 "), true,
                                       QLocale(QLocale::German, QLocale::Germany));
    QVERIFY(german);
    QCOMPARE(german->temperature, QStringLiteral("320,0℃")); // no group separator either
    QCOMPARE(german->humidity.value_or(QString()), QStringLiteral("1000,0%"));
}

void TestCodec::addressText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("address"); // -1 = invalid
    QTest::newRow("1") << QStringLiteral("1") << 1;
    QTest::newRow("17") << QStringLiteral("17") << 17;
    QTest::newRow("0") << QStringLiteral("0") << 0;
    QTest::newRow("255") << QStringLiteral("255") << 255;
    QTest::newRow("blanks") << QStringLiteral("  42 ") << 42;
    QTest::newRow("leading zeros") << QStringLiteral("007") << 7;
    QTest::newRow("256") << QStringLiteral("256") << -1;
    QTest::newRow("1000") << QStringLiteral("1000") << -1;
    QTest::newRow("negative") << QStringLiteral("-1") << -1;
    QTest::newRow("plus") << QStringLiteral("+1") << -1;
    QTest::newRow("fraction") << QStringLiteral("1.5") << -1;
    QTest::newRow("letters") << QStringLiteral("abc") << -1;
    QTest::newRow("hex") << QStringLiteral("0x10") << -1;
    QTest::newRow("inner blank") << QStringLiteral("1 2") << -1;
    QTest::newRow("full-width digit") << QStringLiteral("１") << -1;
    QTest::newRow("empty") << QString() << -1;
    QTest::newRow("blank") << QStringLiteral("   ") << -1;
}

void TestCodec::addressText() {
    QFETCH(QString, text);
    QFETCH(int, address);
    const auto parsed = ParseAddressText(text);
    QCOMPARE(parsed ? int(*parsed) : -1, address);
}

void TestCodec::scanReplyVerdicts_data() {
    QTest::addColumn<QByteArray>("received");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("exceptionCode");
    const auto framed = [](const char* hex) {
        const QByteArray body = QByteArray::fromHex(hex);
        return AppendCRC(body, static_cast<std::uint8_t>(body.size() - 1));
    };
    const int none = int(ScanReply::Kind::None);
    const int reading = int(ScanReply::Kind::Reading);
    const QByteArray good = framed("07030400FA0258");
    QTest::newRow("two registers") << good << reading << 0;
    QTest::newRow("one register") << framed("07030200FA") << reading << 0;
    QTest::newRow("sixteen bytes") << framed("070310"
                                             "00FA0258000000000000000000000000")
                                   << reading << 0;
    QByteArray spoiled = good;
    spoiled[spoiled.size() - 1] = static_cast<char>(spoiled.back() ^ 1);
    QTest::newRow("wrong CRC") << spoiled << none << 0;
    QTest::newRow("other address") << framed("08030400FA0258") << none << 0;
    QTest::newRow("function 04") << framed("07040400FA0258") << none << 0;
    QTest::newRow("count 4, two data bytes") << framed("07030400FA") << none << 0;
    QTest::newRow("count 6") << framed("07030600FA02580000") << none << 0;
    QTest::newRow("not complete yet") << good.left(6) << none << 0;
    QTest::newRow("exception 02") << framed("078302") << int(ScanReply::Kind::Exception) << 2;
    QTest::newRow("exception with wrong CRC") << QByteArray::fromHex("0783020000") << none << 0;
    QTest::newRow("late reply of the previous address first")
        << framed("06030400FA0258") + good << reading << 0;
    QTest::newRow("late reply of the previous address only")
        << framed("06030400FA0258") << none << 0;
    QTest::newRow("noise first") << QByteArray::fromHex("0700FF07") + good << reading << 0;
}

void TestCodec::scanReplyVerdicts() {
    QFETCH(QByteArray, received);
    QFETCH(int, kind);
    QFETCH(int, exceptionCode);
    const ScanReply reply = FindScanReply(7, received);
    QCOMPARE(int(reply.kind), kind);
    QCOMPARE(reply.exceptionCode, exceptionCode);
    if (reply.kind != ScanReply::Kind::None)
        QVERIFY(received.contains(reply.frame));
}

void TestCodec::modelReadouts_data() {
    QTest::addColumn<int>("encoding");
    QTest::addColumn<int>("scaleDecimals");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<bool>("lowWordFirst");
    QTest::addColumn<QList<double>>("errors");
    QTest::addColumn<QList<quint16>>("words");
    QTest::addColumn<QString>("caption"); // empty: a sensor error
    QTest::addColumn<bool>("roundTrip");  // the value encodes back to the same words
    const int i16 = int(ValueEncoding::Int16);
    const int u16 = int(ValueEncoding::UInt16);
    const int sign = int(ValueEncoding::SignMagnitude);
    const int f32 = int(ValueEncoding::Float32);
    using W = QList<quint16>;
    const QList<double> none;
    QTest::newRow("int16 25.0") << i16 << 1 << 1 << false << none << W{0x00FA} << "25.0" << true;
    QTest::newRow("int16 -20.5") << i16 << 1 << 1 << false << none << W{0xFF33} << "-20.5" << true;
    QTest::newRow("int16 lowest") << i16 << 1 << 1 << false << none << W{0x8000} << "-3276.8"
                                  << true;
    QTest::newRow("int16 highest")
        << i16 << 1 << 1 << false << none << W{0x7FFF} << "3276.7" << true;
    QTest::newRow("int16 7FFF is an error")
        << i16 << 1 << 1 << false << QList<double>{32767} << W{0x7FFF} << "" << false;
    QTest::newRow("int16 error value elsewhere")
        << i16 << 1 << 1 << false << QList<double>{-32768} << W{0x7FFE} << "3276.6" << true;
    QTest::newRow("int16 x0.01 -17.25")
        << i16 << 2 << 2 << false << none << W{0xF943} << "-17.25" << true;
    QTest::newRow("int16 x0.01 shown to 0.1, half away from zero")
        << i16 << 2 << 1 << false << none << W{0xF6D7} << "-23.5" << false;
    QTest::newRow("int16 x1 shown to 0.1")
        << i16 << 0 << 1 << false << none << W{0xFFEC} << "-20.0" << true;
    QTest::newRow("uint16 highest")
        << u16 << 1 << 1 << false << none << W{0xFFFF} << "6553.5" << true;
    QTest::newRow("uint16 x0.01 0.07")
        << u16 << 2 << 2 << false << none << W{0x0007} << "0.07" << true;
    QTest::newRow("sign-magnitude 23.5")
        << sign << 1 << 1 << false << none << W{235} << "23.5" << true;
    QTest::newRow("sign-magnitude -20.5")
        << sign << 1 << 1 << false << none << W{10205} << "-20.5" << true;
    QTest::newRow("sign-magnitude minus zero")
        << sign << 1 << 1 << false << none << W{10000} << "0.0" << false;
    QTest::newRow("sign-magnitude highest positive")
        << sign << 1 << 1 << false << none << W{9999} << "999.9" << true;
    QTest::newRow("sign-magnitude lowest")
        << sign << 1 << 1 << false << none << W{0xFFFF} << "-5553.5" << true;
    QTest::newRow("float32 low word first 23.45")
        << f32 << 0 << 2 << true << none << W{0x999A, 0x41BB} << "23.45" << true;
    QTest::newRow("float32 high word first 23.45")
        << f32 << 0 << 2 << false << none << W{0x41BB, 0x999A} << "23.45" << true;
    QTest::newRow("float32 -40") << f32 << 0 << 1 << true << none << W{0x0000, 0xC220} << "-40.0"
                                 << true;
    QTest::newRow("float32 NaN") << f32 << 0 << 2 << true << none << W{0x0000, 0x7FC0} << ""
                                 << false;
    QTest::newRow("float32 infinity")
        << f32 << 0 << 2 << false << none << W{0xFF80, 0x0000} << "" << false;
    QTest::newRow("float32 beyond any reading")
        << f32 << 0 << 2 << false << none << W{0x7149, 0xF2CA} << "" << false;
    QTest::newRow("float32 error value -9999")
        << f32 << 0 << 2 << true << QList<double>{-9999} << W{0x3C00, 0xC61C} << "" << false;
    QTest::newRow("missing register") << f32 << 0 << 2 << true << none << W{0x999A} << "-" << false;
}

void TestCodec::modelReadouts() {
    QFETCH(int, encoding);
    QFETCH(int, scaleDecimals);
    QFETCH(int, decimals);
    QFETCH(bool, lowWordFirst);
    QFETCH(QList<double>, errors);
    QFETCH(QList<quint16>, words);
    QFETCH(QString, caption);
    QFETCH(bool, roundTrip);
    ValueMap map;
    map.registerNumber = 7;
    map.encoding = ValueEncoding(encoding);
    map.scaleDecimals = scaleDecimals;
    map.decimals = decimals;
    map.wordOrder = lowWordFirst ? WordOrder::LowFirst : WordOrder::HighFirst;
    map.errorValues = errors;
    map.unit = QStringLiteral("u");
    // Registers from 6 on: the value sits one word in.
    const auto readout = DecodeReadout(map, QList<quint16>{0x1234} + words, 6, QLocale::c());
    if (caption == QLatin1String("-")) {
        QVERIFY(!readout);
        return;
    }
    QVERIFY(readout);
    QCOMPARE(readout->sensorError(), caption.isEmpty());
    QCOMPARE(readout->caption, caption.isEmpty() ? caption : caption + QStringLiteral("u"));
    if (!caption.isEmpty())
        QCOMPARE(readout->value(), caption.toDouble());
    if (roundTrip)
        QCOMPARE(EncodeReadout(map, *readout->scaled, readout->decimals), words);
    if (!errors.isEmpty())
        QCOMPARE(DecodeReadout(map, EncodeSensorError(map).value(), 7)->sensorError(), true);
}

void TestCodec::otherModelsRequestsAndReplies() {
    const SensorModel& xy = builtIn("xy-md02");
    QCOMPARE(ModelReadRequest(xy, 1), QByteArray::fromHex("0104000100022"
                                                          "00B"));
    const QByteArray write = ModelAddressRequest(xy, 1, 5);
    QCOMPARE(write, framed("010601010005"));
    QCOMPARE(ExpectedAddressReply(xy, write), write);

    const SensorModel& frame = builtIn("pkth100b");
    const QByteArray parameters = ModelAddressRequest(frame, 3, 9, 6);
    QCOMPARE(parameters, framed("03060000000102"
                                "0906"));
    QCOMPARE(ExpectedAddressReply(frame, parameters), framed("030600000001"));
    QVERIFY(ModelAddressRequest(builtIn("dip-switch"), 1, 2).isEmpty());

    // Four registers of floats: the reply is 13 bytes, and nothing else will do.
    const SensorModel& probe = builtIn("ee210");
    const QString sent = Transcript(ModelReadRequest(probe, 242));
    const QString reply = Transcript(framed("F20308"
                                            "999A41BB"
                                            "0000425C"));
    QCOMPARE(JudgeReply(sent, reply, AcceptedReplyBytes(probe)).fault, ReplyFault::None);
    QCOMPARE(
        JudgeReply(sent, Transcript(framed("F2030400FA0258")), AcceptedReplyBytes(probe)).fault,
        ReplyFault::WrongLength);
    const auto shown = DecodeModelReply(probe, reply, true, QLocale::c());
    QVERIFY(shown && shown->temperature && shown->humidity);
    QCOMPARE(shown->temperature->caption, QStringLiteral("23.45℃"));
    QCOMPARE(shown->humidity->caption, QStringLiteral("55.00%"));
    QVERIFY(!DecodeModelReply(probe, reply, false, QLocale::c()));
    QVERIFY(!DecodeModelReply(probe,
                              Transcript(framed("F20408"
                                                "999A41BB"
                                                "0000425C")),
                              true));
    QVERIFY(!DecodeModelReply(probe,
                              Transcript(framed("F20304"
                                                "999A41BB")),
                              true));

    // The soil probe's moisture is the second readout, with its own name.
    const SensorModel& soil = builtIn("jxct-soil");
    const auto moisture =
        DecodeModelReply(soil, Transcript(framed("0103040226FF38")), true, QLocale::c());
    QVERIFY(moisture && moisture->humidity && moisture->temperature);
    QCOMPARE(moisture->humidity->caption, QStringLiteral("55.0%"));
    QCOMPARE(soil.humidity->name.en, QStringLiteral("Soil moisture"));
    QCOMPARE(moisture->temperature->caption, QStringLiteral("-20.0℃"));

    // The scan's finder for other reads: their function, their exact count.
    const RegisterRead input{0x04, 1, 2};
    QCOMPARE(FindReadReply(7, input, framed("07040400FA0258")).kind, ScanReply::Kind::Reading);
    QCOMPARE(FindReadReply(7, input, framed("078401")).exceptionCode, 1);
    QCOMPARE(FindReadReply(7, input, framed("07030400FA0258")).kind, ScanReply::Kind::None);
    QCOMPARE(FindReadReply(7, input, framed("07040200FA")).kind, ScanReply::Kind::None);
}

void TestCodec::mbapRequests_data() {
    QTest::addColumn<int>("transactionId");
    QTest::addColumn<QByteArray>("rtu");
    QTest::addColumn<QByteArray>("mbap");
    QTest::newRow("read at 1") << 0x1234 << ReadRequest(1)
                               << QByteArray::fromHex("123400000006010300000002");
    QTest::newRow("read at 247, last id")
        << 0xFFFF << ReadRequest(247) << QByteArray::fromHex("FFFF00000006F70300000002");
    QTest::newRow("address write to unit 0")
        << 7 << AddressWriteRequest(5) << QByteArray::fromHex("000700000006000600000005");
    // A model's own address write goes to the sensor's current address: its unit id.
    SensorModel registerWrite;
    registerWrite.addressChange = {AddressChange::Way::RegisterWrite, 0x0101};
    QTest::newRow("a model's register write at 23")
        << 0x0203 << ModelAddressRequest(registerWrite, 23, 41)
        << QByteArray::fromHex("020300000006170601010029");
    QTest::newRow("exception-sized frame")
        << 0x0102 << QByteArray::fromHex("0183020000") << QByteArray::fromHex("010200000003018302");
    QTest::newRow("no function code") << 1 << QByteArray::fromHex("01C4") << QByteArray();
    QTest::newRow("nothing") << 1 << QByteArray() << QByteArray();
    QTest::newRow("longer than an RTU frame") << 1 << QByteArray(257, '\x01') << QByteArray();
}

void TestCodec::mbapRequests() {
    QFETCH(int, transactionId);
    QFETCH(QByteArray, rtu);
    QFETCH(QByteArray, mbap);
    QCOMPARE(MbapRequest(static_cast<quint16>(transactionId), rtu), mbap);
}

void TestCodec::mbapAnswers_data() {
    QTest::addColumn<int>("awaited");
    QTest::addColumn<QList<QByteArray>>("chunks");
    QTest::addColumn<QByteArray>("rtu"); // what the last chunk gives back
    QTest::addColumn<int>("dropped");
    const auto hex = [](const char* text) { return QByteArray::fromHex(text); };
    const auto withCrc = [](const char* text) {
        const QByteArray body = QByteArray::fromHex(text);
        return AppendCRC(body, static_cast<std::uint8_t>(body.size() - 1));
    };
    const QByteArray reading = hex("12340000000701030400FA0258");
    const QByteArray readingRtu = hex("01030400FA0258DA98");
    using Chunks = QList<QByteArray>;
    QTest::newRow("whole") << 0x1234 << Chunks{reading} << readingRtu << 0;
    QTest::newRow("in three pieces, the header split")
        << 0x1234 << Chunks{reading.left(3), reading.mid(3, 6), reading.mid(9)} << readingRtu << 0;
    QTest::newRow("not complete yet") << 0x1234 << Chunks{reading.left(12)} << QByteArray() << 0;
    QTest::newRow("a late answer first, in the same chunk")
        << 0x1234 << Chunks{hex("12330000000701030400F50251") + reading} << readingRtu << 1;
    QTest::newRow("only a late answer")
        << 0x1234 << Chunks{hex("12330000000701030400FA0258")} << QByteArray() << 1;
    QTest::newRow("the answer twice") << 0x1234 << Chunks{reading, reading} << QByteArray() << 1;
    QTest::newRow("the answer, then part of another")
        << 0x1234 << Chunks{reading + hex("1235000000")} << readingRtu << 0;
    QTest::newRow("another unit answers")
        << 0x0042 << Chunks{hex("00420000000702030400FA0258")} << withCrc("02030400FA0258") << 0;
    QTest::newRow("gateway: target failed to respond")
        << 0x0042 << Chunks{hex("00420000000309830B")} << withCrc("09830B") << 0;
    QTest::newRow("gateway: path unavailable")
        << 0x0042 << Chunks{hex("00420000000309830A")} << withCrc("09830A") << 0;
    QTest::newRow("address write echo")
        << 0x0007 << Chunks{hex("000700000006000600000005")} << hex("0006000000054818") << 0;
    QTest::newRow("another protocol")
        << 0x1234 << Chunks{hex("12340001000701030400FA0258")} << QByteArray() << 1;
    QTest::newRow("length too short to hold a PDU")
        << 0x1234 << Chunks{hex("12340000000101"), reading} << readingRtu << 1;
    QTest::newRow("length beyond any frame")
        << 0x1234 << Chunks{hex("12340000FF0001030400FA0258")} << QByteArray() << 1;
}

void TestCodec::mbapAnswers() {
    QFETCH(int, awaited);
    QFETCH(QList<QByteArray>, chunks);
    QFETCH(QByteArray, rtu);
    QFETCH(int, dropped);
    MbapAnswerReader reader;
    reader.expect(static_cast<quint16>(awaited));
    QByteArray last;
    for (const QByteArray& chunk : chunks)
        last = reader.read(chunk);
    QCOMPARE(last, rtu);
    QCOMPARE(reader.dropped(), dropped);
    if (!rtu.isEmpty())
        QVERIFY(HasValidCrc(last));
}

QTEST_APPLESS_MAIN(TestCodec)
#include "test_codec.moc"
