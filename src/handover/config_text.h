// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

// Small text helpers the generated files share.

// A double-quoted string with \\, \" and control characters escaped: valid in TOML basic
// strings and YAML double-quoted scalars alike, so an operator's name cannot break the file.
QString Quoted(const QString& text);

// A word for a POSIX shell: as is when it holds only safe characters, else single-quoted.
QString ShellWord(const QString& text);

// An identifier of lower-case letters, digits and underscores (ESPHome ids, socat links).
QString Identifier(const QString& text);

// The parity letter as a word: none, even, odd.
QString ParityWord(QChar parity);
