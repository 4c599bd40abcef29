// SPDX-License-Identifier: MIT
#include "link_settings_store.h"

#include "file_store.h"

#include <QDir>

LinkSettingsStore::LinkSettingsStore(const QString& folder)
    : folder_(folder.isEmpty() ? QDir::currentPath() : folder) {}

QString LinkSettingsStore::path() const {
    return QDir(folder_).filePath(QLatin1String(LinkSettingsFile::kFileName));
}

LinkSettings LinkSettingsStore::load() const {
    QString readError;
    const auto content = ReadSmallFile(path(), LinkSettingsFile::kMaxBytes, &readError);
    return ReadLinkSettings(content, readError);
}

bool LinkSettingsStore::save(int portNumber, const QString& baudText, QString* error) const {
    return WriteFileAtomically(path(), FormatLinkSettings(portNumber, baudText), error);
}
