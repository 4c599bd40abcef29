// SPDX-License-Identifier: MIT
#pragma once

#include "line_format.h"
#include "server_address.h"

#include <QSettings>
#include <QString>
#include <map>

// The tool's own settings, in an INI file beside com.txt (whose two lines stay as they
// are): what the extensions remember from one start to the next.
class ToolSettings {
public:
    static constexpr const char* kFileName = "modbus-sensor-tool.ini";

    explicit ToolSettings(const QString& folder);

    QString watchAddresses() const;
    void setWatchAddresses(const QString& text);
    int watchTimeoutMs(int fallback) const;
    void setWatchTimeoutMs(int ms);
    // The model id of each watched address that had one given (the scan's 全部监视);
    // entries that do not read are left out.
    std::map<int, QString> watchModels() const;
    void setWatchModels(const std::map<int, QString>& models);
    // "zh" or "en"; empty when never chosen.
    QString language() const;
    void setLanguage(const QString& code);
    // The line's format as last chosen (线路设置…); 8N1 when never chosen or unreadable.
    LineFormat lineFormat() const;
    void setLineFormat(const LineFormat& format);
    // The id of the sensor model the poll uses; empty when never chosen.
    QString sensorModel() const;
    void setSensorModel(const QString& id);
    // Port numbers mapped to serial device servers; entries that do not read are left out.
    ServerMap servers() const;
    void setServers(const ServerMap& servers);

    // Written at once, so a crash loses nothing; false when the file cannot be written.
    bool sync();

private:
    QSettings file_;
};
