#include "frame/documentsfolder.h"

#include <QDir>
#include <QStandardPaths>

namespace sp::frame {

QString documentsFolder() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty())
        folder = QDir::homePath();
    return folder;
}

bool prepareFolder(const QString& folder, QString& problem) {
    if (folder.isEmpty() || QDir(folder).isRoot()) {
        problem = QStringLiteral("没有可用的文档文件夹");
        return false;
    }
    if (!QDir().mkpath(folder)) {
        problem = QStringLiteral("无法创建文件夹");
        return false;
    }
    return true;
}

} // namespace sp::frame
