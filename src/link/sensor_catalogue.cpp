// SPDX-License-Identifier: MIT
#include "sensor_catalogue.h"

#include "file_store.h"
#include "sensor_model_file.h"

#include <QDir>
#include <QFileInfo>

namespace {

const char* const kBuiltInPath = ":/sensor-models/builtin-sensor-models.json";

} // namespace

SensorCatalogue::SensorCatalogue() {
    QString error;
    QStringList problems;
    const auto text = ReadSmallFile(QLatin1String(kBuiltInPath), kMaxFileBytes, &error);
    for (const FileModel& entry :
         SensorModelFile::read(text.value_or(QByteArray()), QLatin1String(kBuiltInPath), &problems))
        models_ << entry.model;
    // The built-in file is the program's own: a test keeps it whole.
    Q_ASSERT(problems.isEmpty() && !models_.isEmpty() && models_.front().isToolsOwn());
}

SensorCatalogue SensorCatalogue::load(const QString& folder) {
    SensorCatalogue catalogue;
    const QString path =
        QDir(folder.isEmpty() ? QDir::currentPath() : folder).filePath(QLatin1String(kFileName));
    if (!QFileInfo::exists(path))
        return catalogue;
    QString error;
    const auto text = ReadSmallFile(path, kMaxFileBytes, &error);
    if (!text) {
        catalogue.problems_ << SensorModelFile::problemText(path, 0, tr("无法读取：%1").arg(error));
        return catalogue;
    }
    catalogue.addUsersModels(*text, path);
    return catalogue;
}

void SensorCatalogue::addUsersModels(const QByteArray& json, const QString& fileName) {
    for (const FileModel& entry : SensorModelFile::read(json, fileName, &problems_)) {
        if (entry.model.isToolsOwn()) {
            problems_ << SensorModelFile::problemText(
                fileName, entry.line,
                tr("本工具的传感器（\"%1\"）不能替换").arg(QLatin1String(ModelId::kToolsOwn)));
            continue;
        }
        usersIds_.insert(entry.model.id);
        const auto same = std::find_if(models_.begin(), models_.end(), [&](const SensorModel& m) {
            return m.id == entry.model.id;
        });
        if (same != models_.end())
            *same = entry.model;
        else
            models_ << entry.model;
    }
}

const SensorModel* SensorCatalogue::find(const QString& id) const {
    for (const SensorModel& model : models_) {
        if (model.id == id)
            return &model;
    }
    return nullptr;
}
