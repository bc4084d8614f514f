#pragma once
// The windows' edge between the engine's UTF-8 texts and Qt's strings.

#include <QString>
#include <QStringList>

#include <string>
#include <vector>

namespace sp::frame {

inline QString q(const std::string& text) {
    return QString::fromStdString(text);
}

inline QStringList qItems(const std::vector<std::string>& items) {
    QStringList out;
    out.reserve(static_cast<qsizetype>(items.size()));
    for (const auto& item : items)
        out << q(item);
    return out;
}

} // namespace sp::frame
