#pragma once
// Where "保存" writes: the user's documents folder, made when it does not exist yet; the home
// folder where the platform reports none; never the filesystem root.

#include <QString>

namespace sp::frame {

// Empty when no usable folder exists (then nothing is written).
QString documentsFolder();

// Makes the folder when missing; false when it cannot be made or is the root.
bool prepareFolder(const QString& folder, QString& problem);

} // namespace sp::frame
