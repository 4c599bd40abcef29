// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QString>
#include <optional>

// The two remembered link settings: port number (line 1) and baud-rate text (line 2).
struct LinkSettings {
    QString line1;
    QString line2;
    int portListIndex = 0; // selection of the port list, -1 for none
    // Why defaults stand in for the file's content; empty when the file was used as is.
    QString fallbackReason;

    Q_DECLARE_TR_FUNCTIONS(LinkSettings)
};

namespace LinkSettingsFile {
constexpr const char* kFileName = "com.txt";
constexpr qint64 kMaxBytes = 64 * 1024;
} // namespace LinkSettingsFile

// Interprets the file's content; nullopt content means it could not be read (readError
// says why). Never fails: an unusable file gives COM1 and 9600 with a reason.
LinkSettings ReadLinkSettings(const std::optional<QByteArray>& content, const QString& readError);

// The file as written at close: port number and baud text, each ending in CR LF.
QByteArray FormatLinkSettings(int portNumber, const QString& baudText);
