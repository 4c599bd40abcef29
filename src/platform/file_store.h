// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// Whole-file access for small settings files.

// The file's bytes, or nullopt with *error set when it is missing or cannot be read.
// Files larger than maxBytes are refused rather than read into memory.
std::optional<QByteArray> ReadSmallFile(const QString& path, qint64 maxBytes, QString* error);

// Replaces the file in one step: either the new content is there in full or the old file
// is left untouched. Creates the file when missing.
bool WriteFileAtomically(const QString& path, const QByteArray& content, QString* error);
