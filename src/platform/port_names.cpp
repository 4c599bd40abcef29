#include "port_names.h"

#include <QDir>
#include <QFileInfo>

QString PortDevicePath(int port, const QString& folder) {
    if (port < 1)
        return {};
    const QString name = QStringLiteral("COM%1").arg(port);
#ifdef Q_OS_WIN
    Q_UNUSED(folder);
    return name;
#else
    const QFileInfo local(QDir(folder).filePath(name));
    if (local.exists() || local.isSymLink()) {
        // The target's own name keeps the lock file the same however the port is reached.
        const QString target = local.canonicalFilePath();
        return target.isEmpty() ? local.absoluteFilePath() : target;
    }
    return QStringLiteral("/dev/ttyUSB%1").arg(port - 1);
#endif
}
