// SPDX-License-Identifier: MIT
#pragma once

#include "sensor_model.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

// The models the tool knows: the built-in ones (a JSON file compiled into the program) and
// the users' own, from sensor-models.json beside com.txt, which adds models or replaces a
// built-in of the same id. The tool's own sensor is always the first and cannot be replaced.
class SensorCatalogue {
    Q_DECLARE_TR_FUNCTIONS(SensorCatalogue)
public:
    static constexpr const char* kFileName = "sensor-models.json";
    static constexpr qint64 kMaxFileBytes = 1024 * 1024;

    // The built-in models alone.
    SensorCatalogue();
    // The built-ins and the users' file in folder (an empty folder means the working
    // directory). Never fails: a missing file adds nothing, a broken one says why in
    // problems() and leaves the built-ins as they are.
    static SensorCatalogue load(const QString& folder);

    // Adds the models of a users' file, named fileName in the messages.
    void addUsersModels(const QByteArray& json, const QString& fileName);

    const QList<SensorModel>& models() const { return models_; }
    const SensorModel* find(const QString& id) const;
    const SensorModel& toolsOwn() const { return models_.front(); }
    // One message per problem of the users' file, naming the file and the line.
    const QStringList& problems() const { return problems_; }
    bool fromUsersFile(const QString& id) const { return usersIds_.contains(id); }

private:
    QList<SensorModel> models_;
    QStringList problems_;
    QSet<QString> usersIds_;
};
