#include "frame/reportfont.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QStringList>

namespace sp::frame {

namespace {

QFont fontOf(const QString& family, int pixelSize) {
    QFont font(family);
    font.setPixelSize(pixelSize);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    return font;
}

// The family of the report views: the first installed candidate whose CJK character is exactly two
// Latin columns wide. A "Mono" font may not be: WenQuanYi Micro Hei Mono's Latin glyphs are 0.6 of
// its CJK ones, which shifts every row by the CJK characters it holds. Failing all, the first
// installed candidate, and failing that the system's monospace.
QString chooseFamily() {
    const QStringList installed = QFontDatabase::families();
    // SimHei and NSimSun on Windows; WenQuanYi Zen Hei Mono (Debian fonts-wqy-zenhei) and Noto Sans
    // Mono CJK SC (fonts-noto-cjk) elsewhere.
    const char* const candidates[] = {"SimHei", "WenQuanYi Zen Hei Mono", "Noto Sans Mono CJK SC", "NSimSun",
                                      "WenQuanYi Micro Hei Mono"};
    QString fallback;
    for (const char* candidate : candidates) {
        const QString family = QString::fromUtf8(candidate);
        if (!installed.contains(family))
            continue;
        if (holdsTwoColumns(fontOf(family, kReportFontSize)))
            return family;
        if (fallback.isEmpty())
            fallback = family;
    }
    return fallback.isEmpty() ? QStringLiteral("monospace") : fallback;
}

} // namespace

bool holdsTwoColumns(const QFont& font) {
    const QFontMetricsF metrics(font);
    return metrics.horizontalAdvance(QString::fromUtf8("完整")) ==
           4 * metrics.horizontalAdvance(QLatin1Char('0'));
}

QFont reportFont(int pixelSize) {
    static const QString family = chooseFamily();
    return fontOf(family, pixelSize);
}

} // namespace sp::frame
