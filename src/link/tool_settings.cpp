// SPDX-License-Identifier: MIT
#include "tool_settings.h"

#include <QDir>

namespace {
const QString kWatchAddresses = QStringLiteral("watch/addresses");
const QString kWatchTimeout = QStringLiteral("watch/timeout_ms");
const QString kWatchModels = QStringLiteral("watch/models"); // "7=xy-md02", one per address
const QString kNetworkGroup = QStringLiteral("network");
const QString kLanguage = QStringLiteral("ui/language");
const QString kLineFormat = QStringLiteral("line/format");
const QString kSensorModel = QStringLiteral("poll/model");
} // namespace

ToolSettings::ToolSettings(const QString& folder)
    : file_(QDir(folder).filePath(QLatin1String(kFileName)), QSettings::IniFormat) {}

QString ToolSettings::watchAddresses() const {
    return file_.value(kWatchAddresses).toString();
}

void ToolSettings::setWatchAddresses(const QString& text) {
    file_.setValue(kWatchAddresses, text);
}

int ToolSettings::watchTimeoutMs(int fallback) const {
    bool ok = false;
    const int ms = file_.value(kWatchTimeout).toInt(&ok);
    return ok ? ms : fallback;
}

void ToolSettings::setWatchTimeoutMs(int ms) {
    file_.setValue(kWatchTimeout, ms);
}

std::map<int, QString> ToolSettings::watchModels() const {
    std::map<int, QString> models;
    for (const QString& entry : file_.value(kWatchModels).toStringList()) {
        const qsizetype equals = entry.indexOf(QLatin1Char('='));
        bool ok = false;
        const int address = entry.left(equals).trimmed().toInt(&ok);
        const QString id = entry.mid(equals + 1).trimmed();
        if (equals > 0 && ok && !id.isEmpty())
            models[address] = id;
    }
    return models;
}

void ToolSettings::setWatchModels(const std::map<int, QString>& models) {
    QStringList entries;
    for (const auto& [address, id] : models)
        entries << QStringLiteral("%1=%2").arg(address).arg(id);
    if (entries.isEmpty())
        file_.remove(kWatchModels);
    else
        file_.setValue(kWatchModels, entries);
}

QString ToolSettings::language() const {
    return file_.value(kLanguage).toString();
}

void ToolSettings::setLanguage(const QString& code) {
    file_.setValue(kLanguage, code);
}

LineFormat ToolSettings::lineFormat() const {
    return LineFormat::Parse(file_.value(kLineFormat).toString()).value_or(LineFormat{});
}

void ToolSettings::setLineFormat(const LineFormat& format) {
    file_.setValue(kLineFormat, format.text());
}

QString ToolSettings::sensorModel() const {
    return file_.value(kSensorModel).toString();
}

void ToolSettings::setSensorModel(const QString& id) {
    file_.setValue(kSensorModel, id);
}

ServerMap ToolSettings::servers() const {
    ServerMap servers;
    QSettings& file = const_cast<QSettings&>(file_);
    file.beginGroup(kNetworkGroup);
    for (const QString& key : file.childKeys()) {
        bool ok = false;
        const int port = QStringView(key).mid(3).toInt(&ok);
        const auto server = ServerAddress::Parse(file.value(key).toString());
        if (key.startsWith(QLatin1String("COM")) && ok && port >= 1 && server)
            servers[port] = *server;
    }
    file.endGroup();
    return servers;
}

void ToolSettings::setServers(const ServerMap& servers) {
    file_.remove(kNetworkGroup);
    file_.beginGroup(kNetworkGroup);
    for (const auto& [port, server] : servers)
        file_.setValue(QStringLiteral("COM%1").arg(port), server.text());
    file_.endGroup();
}

bool ToolSettings::sync() {
    file_.sync();
    return file_.status() == QSettings::NoError;
}
