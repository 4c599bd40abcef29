// SPDX-License-Identifier: MIT
#pragma once

#include <QCoreApplication>
#include <QList>
#include <QString>

// The addresses an operator types for the bus watch: numbers and ranges such as
// "1-5, 7, 9", each from 1 to 254. Commas (also "，" and "、"), semicolons and blanks
// separate; "-", "~" and "–" make a range.
struct AddressList {
    QList<int> addresses; // ascending, each once
    QString error;        // empty when the text is a valid list of at least one address
    bool ok() const { return error.isEmpty(); }

    Q_DECLARE_TR_FUNCTIONS(AddressList)
};

AddressList ParseAddressList(const QString& text);

// The addresses written back as the operator would type them, runs as ranges: "1-5, 7, 9".
QString FormatAddressList(const QList<int>& addresses);
