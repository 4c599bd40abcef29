// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// One step into a JSON document: a member of an object by its key, or an element of an array
// by its index.
struct JsonStep {
    QString key;
    int index = -1; // for an array element; the key is then empty

    static JsonStep member(const QString& key) { return {key, -1}; }
    static JsonStep element(int index) { return {QString(), index}; }
};

// Where things are in a JSON text, for messages that name a line: QJsonDocument keeps no
// positions.

// The line, counted from 1, of the byte at offset.
int LineAtOffset(const QByteArray& text, qsizetype offset);

// The line on which the value at path begins, in a text that QJsonDocument reads without an
// error; the line of the deepest step that exists when the path goes further than the text.
int LineOfValue(const QByteArray& text, const QList<JsonStep>& path);
