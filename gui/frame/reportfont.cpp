#include "frame/reportfont.h"

#include <QFontDatabase>
#include <QStringList>

namespace sp::frame {

QFont reportFont(int pixelSize) {
    const QStringList installed = QFontDatabase::families();
    QString family = QStringLiteral("monospace");
    // NSimSun last: the fixed-pitch Chinese font every Windows has.
    for (const char* candidate : {"SimHei", "WenQuanYi Micro Hei Mono", "Noto Sans Mono CJK SC", "NSimSun"}) {
        if (installed.contains(QString::fromUtf8(candidate))) {
            family = QString::fromUtf8(candidate);
            break;
        }
    }
    QFont font(family);
    font.setPixelSize(pixelSize);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    return font;
}

} // namespace sp::frame
