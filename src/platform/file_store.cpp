// SPDX-License-Identifier: MIT
#include "file_store.h"

#include <QFile>
#include <QSaveFile>

std::optional<QByteArray> ReadSmallFile(const QString& path, qint64 maxBytes, QString* error) {
    QFile file(path);
    if (!file.exists()) {
        *error = QStringLiteral("not found");
        return std::nullopt;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return std::nullopt;
    }
    if (file.size() > maxBytes) {
        *error = QStringLiteral("larger than %1 bytes").arg(maxBytes);
        return std::nullopt;
    }
    QByteArray content = file.read(maxBytes + 1);
    if (content.size() > maxBytes) {
        *error = QStringLiteral("larger than %1 bytes").arg(maxBytes);
        return std::nullopt;
    }
    return content;
}

bool WriteFileAtomically(const QString& path, const QByteArray& content, QString* error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size() ||
        !file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}
