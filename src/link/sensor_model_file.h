// SPDX-License-Identifier: MIT
#pragma once

#include "sensor_model.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>

// A model as a models file gives it, with the line its entry begins on.
struct FileModel {
    SensorModel model;
    int line = 0;
};

// Reads the models of a models file: the built-in one, or the users' sensor-models.json
// (same schema; README and the manual page describe it). Each problem goes to *problems as
// one message naming fileName, the line and what is wrong; a model with a problem is left
// out, the others are kept. Text that is not JSON gives no model at all.
class SensorModelFile {
    Q_DECLARE_TR_FUNCTIONS(SensorModelFile)
public:
    static QList<FileModel> read(const QByteArray& json, const QString& fileName,
                                 QStringList* problems);

    // "FILE, line N: what" in the operator's language; line 0 for the file as a whole.
    static QString problemText(const QString& fileName, int line, const QString& what);
};
