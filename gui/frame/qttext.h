#pragma once
// The windows' edge between the engine's UTF-8 texts and Qt's strings.

#include <QString>
#include <QStringList>

#include <filesystem>
#include <string>
#include <vector>

namespace sp::frame {

inline QString q(const std::string& text) {
    return QString::fromStdString(text);
}

// The file a path of Qt's names. Through UTF-16, so that a name in any script reaches the system
// whole on Windows too, where a narrow string would be read in the ANSI code page.
inline std::filesystem::path pathOf(const QString& path) {
    return std::filesystem::path(path.toStdU16String());
}

inline QStringList qItems(const std::vector<std::string>& items) {
    QStringList out;
    out.reserve(static_cast<qsizetype>(items.size()));
    for (const auto& item : items)
        out << q(item);
    return out;
}

} // namespace sp::frame
