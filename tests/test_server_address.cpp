// SPDX-License-Identifier: MIT
#include "server_address.h"
#include "tool_settings.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

class TestServerAddress : public QObject {
    Q_OBJECT
private slots:
    void serverMappingsReadAsWritten();
};

// The mapping as the settings file keeps it, read back the same; what does not read is
// left out.
void TestServerAddress::serverMappingsReadAsWritten() {
    using Kind = ServerAddress::Kind;
    for (const auto& [text, kind] : {std::pair{"rfc2217 192.168.1.50:4001", Kind::Rfc2217},
                                     std::pair{"tcp serial-server.local:4002", Kind::RawTcp},
                                     std::pair{"TCP [fe80::1]:23", Kind::RawTcp},
                                     std::pair{"modbus-tcp 10.1.2.3:502", Kind::ModbusTcp},
                                     std::pair{" Modbus-TCP [::1]:1502", Kind::ModbusTcp}}) {
        const auto server = ServerAddress::Parse(QLatin1String(text));
        QVERIFY2(server, text);
        QVERIFY2(server->kind == kind, text);
        QCOMPARE(ServerAddress::Parse(server->text()), server);
    }
    for (const char* text : {"rfc2217 host:0", "rfc2217 host:65536", "ftp host:21", "tcp :4001",
                             "tcp host", "tcp ho st:1", "modbus-tcp gw", "modbustcp gw:502", ""})
        QVERIFY2(!ServerAddress::Parse(QLatin1String(text)), text);

    QTemporaryDir dir;
    ServerMap servers;
    servers[2] = {ServerAddress::Kind::RawTcp, QStringLiteral("10.0.0.7"), 4002};
    servers[10] = {ServerAddress::Kind::Rfc2217, QStringLiteral("gw.example"), 2217};
    servers[5] = {ServerAddress::Kind::ModbusTcp, QStringLiteral("10.0.0.8"), 502};
    {
        ToolSettings settings(dir.path());
        settings.setWatchAddresses(QStringLiteral("1-3"));
        settings.setServers(servers);
        QVERIFY(settings.sync());
    }
    QFile file(dir.filePath(QLatin1String(ToolSettings::kFileName)));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QByteArray content = file.readAll();
    file.close();
    QVERIFY(content.contains("[network]"));
    QVERIFY(content.contains("COM5=modbus-tcp 10.0.0.8:502"));
    // Hand-edited junk among the mappings.
    content.replace("[network]", "[network]\nCOM3=tcp no port\nCOMx=tcp h:1\nCOM0=tcp h:1");
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
    file.close();
    ToolSettings again(dir.path());
    QCOMPARE(again.servers(), servers);
    QCOMPARE(again.watchAddresses(), QStringLiteral("1-3"));

    // The line's format: 8N1 until one is kept; a hand-edited value that does not read is 8N1.
    QCOMPARE(again.lineFormat().text(), QStringLiteral("8N1"));
    again.setLineFormat({QLatin1Char('E'), 2});
    QVERIFY(again.sync());
    QCOMPARE(ToolSettings(dir.path()).lineFormat().text(), QStringLiteral("8E2"));
    const QList<std::pair<const char*, const char*>> kept = {
        {"8o1", "8O1"}, {" 8N2 ", "8N2"}, {"8X1", "8N1"}, {"7E1", "8N1"},
        {"8N3", "8N1"}, {"8E", "8N1"},    {"8E1x", "8N1"}};
    for (const auto& [written, read] : kept) {
        QSettings raw(file.fileName(), QSettings::IniFormat);
        raw.setValue(QStringLiteral("line/format"), QLatin1String(written));
        raw.sync();
        QCOMPARE(ToolSettings(dir.path()).lineFormat().text(), QLatin1String(read));
    }
}

QTEST_GUILESS_MAIN(TestServerAddress)
#include "test_server_address.moc"
