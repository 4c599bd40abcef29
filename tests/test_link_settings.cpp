// SPDX-License-Identifier: MIT
#include "leading_number.h"
#include "link_settings.h"

#include <QTest>

class TestLinkSettings : public QObject {
    Q_OBJECT
private slots:
    void leadingNumber_data();
    void leadingNumber();
    void portSelection_data();
    void portSelection();
    void unusableFilesFallBackToCom1And9600_data();
    void unusableFilesFallBackToCom1And9600();
    void lineEndsAndMarks();
    void writtenFileReadsBackTheSame();
};

void TestLinkSettings::leadingNumber_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("plain") << QStringLiteral("3") << 3.0;
    QTest::newRow("blanks anywhere") << QStringLiteral(" 1 0 ") << 10.0;
    QTest::newRow("tabs and line feeds") << QStringLiteral("\t1\n2") << 12.0;
    QTest::newRow("sign") << QStringLiteral("-4") << -4.0;
    QTest::newRow("plus") << QStringLiteral("+4") << 4.0;
    QTest::newRow("fraction") << QStringLiteral("2.5") << 2.5;
    QTest::newRow("leading point") << QStringLiteral(".5") << 0.5;
    QTest::newRow("exponent") << QStringLiteral("1e1") << 10.0;
    QTest::newRow("negative exponent") << QStringLiteral("25E-1") << 2.5;
    QTest::newRow("D exponent") << QStringLiteral("3d0") << 3.0;
    QTest::newRow("bare exponent letter") << QStringLiteral("3e") << 3.0;
    QTest::newRow("stops at text") << QStringLiteral("7abc") << 7.0;
    QTest::newRow("comma is not a point") << QStringLiteral("2,5") << 2.0;
    QTest::newRow("no number") << QStringLiteral("COM3") << 0.0;
    QTest::newRow("empty") << QString() << 0.0;
    QTest::newRow("sign only") << QStringLiteral("-") << 0.0;
    QTest::newRow("NUL stops") << QStringLiteral("4") + QChar(0) + QStringLiteral("5") << 4.0;
    QTest::newRow("carriage return stops") << QStringLiteral("4\r5") << 4.0;
}

void TestLinkSettings::leadingNumber() {
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(LeadingNumber(text).value_or(-999), value);
}

void TestLinkSettings::portSelection_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("index");
    QTest::newRow("3") << QByteArray("3\r\n9600\r\n") << 2;
    QTest::newRow("10") << QByteArray("10\r\n9600\r\n") << 9;
    QTest::newRow("1") << QByteArray("1\r\n9600\r\n") << 0;
    QTest::newRow("0 selects nothing") << QByteArray("0\r\n9600\r\n") << -1;
    QTest::newRow("-0 selects nothing") << QByteArray("-0\r\n9600\r\n") << -1;
    QTest::newRow("empty line selects nothing") << QByteArray("\r\n9600\r\n") << -1;
    QTest::newRow("no number selects nothing") << QByteArray("COM3\r\n9600\r\n") << -1;
    QTest::newRow("2.5 rounds to even") << QByteArray("2.5\r\n9600\r\n") << 2;
    QTest::newRow("3.5 rounds to even") << QByteArray("3.5\r\n9600\r\n") << 2;
    QTest::newRow("1 0") << QByteArray(" 1 0 \r\n9600\r\n") << 9;
    QTest::newRow("third line ignored") << QByteArray("4\r\n9600\r\nrubbish\r\n") << 3;
}

void TestLinkSettings::portSelection() {
    QFETCH(QByteArray, file);
    QFETCH(int, index);
    const LinkSettings settings = ReadLinkSettings(file, {});
    QCOMPARE(settings.portListIndex, index);
    QCOMPARE(settings.line2, QStringLiteral("9600"));
    QVERIFY(settings.fallbackReason.isEmpty());
}

void TestLinkSettings::unusableFilesFallBackToCom1And9600_data() {
    QTest::addColumn<std::optional<QByteArray>>("file");
    QTest::addColumn<QString>("baud");
    QTest::newRow("missing") << std::optional<QByteArray>() << QStringLiteral("9600");
    QTest::newRow("empty") << std::optional<QByteArray>(QByteArray()) << QStringLiteral("9600");
    QTest::newRow("one line") << std::optional<QByteArray>("3\r\n") << QStringLiteral("9600");
    QTest::newRow("11 keeps line 2")
        << std::optional<QByteArray>("11\r\n115200\r\n") << QStringLiteral("115200");
    QTest::newRow("-1 keeps line 2")
        << std::optional<QByteArray>("-1\r\n4800\r\n") << QStringLiteral("4800");
    QTest::newRow("1e400") << std::optional<QByteArray>("1e400\r\n9600\r\n")
                           << QStringLiteral("9600");
    QTest::newRow("huge") << std::optional<QByteArray>("99999999999\r\n9600\r\n")
                          << QStringLiteral("9600");
}

void TestLinkSettings::unusableFilesFallBackToCom1And9600() {
    QFETCH(std::optional<QByteArray>, file);
    QFETCH(QString, baud);
    const LinkSettings settings = ReadLinkSettings(file, QStringLiteral("not found"));
    QCOMPARE(settings.portListIndex, 0);
    QCOMPARE(settings.line2, baud);
    QVERIFY(!settings.fallbackReason.isEmpty());
}

void TestLinkSettings::lineEndsAndMarks() {
    for (const QByteArray& file :
         {QByteArray("5\n9600\n"), QByteArray("5\r9600\r"), QByteArray("5\r\n9600"),
          QByteArray("\xEF\xBB\xBF"
                     "5\r\n9600\r\n")}) {
        const LinkSettings settings = ReadLinkSettings(file, {});
        QCOMPARE(settings.portListIndex, 4);
        QCOMPARE(settings.line2, QStringLiteral("9600"));
    }
    // Bytes that are not ASCII come back unchanged when the file is written again.
    const LinkSettings odd = ReadLinkSettings(QByteArray("2\r\n96\xE9\x00z\r\n", 10), {});
    QCOMPARE(FormatLinkSettings(2, odd.line2), QByteArray("2\r\n96\xE9\x00z\r\n", 10));
}

void TestLinkSettings::writtenFileReadsBackTheSame() {
    QCOMPARE(FormatLinkSettings(7, QStringLiteral("9600")), QByteArray("7\r\n9600\r\n"));
    QCOMPARE(FormatLinkSettings(0, QStringLiteral("115200")), QByteArray("0\r\n115200\r\n"));
    for (int port = 0; port <= 10; ++port) {
        const LinkSettings settings =
            ReadLinkSettings(FormatLinkSettings(port, QStringLiteral("4800")), {});
        QCOMPARE(settings.portListIndex, port - 1);
        QCOMPARE(settings.line2, QStringLiteral("4800"));
    }
}

QTEST_APPLESS_MAIN(TestLinkSettings)
#include "test_link_settings.moc"
