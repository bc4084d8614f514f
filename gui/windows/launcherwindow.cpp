#include "windows/launcherwindow.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

namespace sp::app {

namespace {

constexpr int kWidth = 230;
constexpr int kHeight = 422;

QPushButton* roundedButton(QWidget* parent, const char* name, const QString& text, const QString& colour, int size) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setStyleSheet(QStringLiteral("QPushButton { border: 1px solid #7aa7d9; border-radius: 30px; background: "
                                    "qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffffff, stop:1 #dceaf8); "
                                    "color: %1; font-size: %2px; }"
                                    "QPushButton:pressed { background: #c4dcf4; }")
                         .arg(colour)
                         .arg(size));
    return b;
}

} // namespace

LauncherWindow::LauncherWindow(WindowFactory factory, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_factory(std::move(factory)) {
    setObjectName(QStringLiteral("TPELM_FRM_DURK0"));
    setWindowTitle(QStringLiteral("嵌岩桩承载力计算(DBJ52/T088-2018)"));
    setFixedSize(kWidth, kHeight);

    auto* title = new QLabel(QStringLiteral("贵州桩基规程"), this);
    title->setObjectName(QStringLiteral("lb_biaoti"));
    title->setGeometry(0, 0, kWidth, 55);
    title->setAlignment(Qt::AlignCenter);
    title->setStyleSheet(QStringLiteral("QLabel { color: white; font-size: 24px; font-weight: bold; }"));

    const QString lineBreak = QStringLiteral("\r\n");
    struct ButtonLook {
        const char* name;
        QString text;
        QString colour;
        int size;
        int y;
    };
    const ButtonLook looks[] = {
        {"cbt_Gongshi1", QStringLiteral("侧阻端阻综合计算") + lineBreak + QStringLiteral("(单层基岩)"),
         QStringLiteral("darkgreen"), 16, 54},
        {"cbt_Gongshi2", QStringLiteral("侧阻端阻分解计算") + lineBreak + QStringLiteral("(多层基岩)"),
         QStringLiteral("blue"), 16, 144},
        {"cbt_Gongshi3", QStringLiteral("侧阻端阻综合计算") + lineBreak + QStringLiteral("(拓展研究)"),
         QStringLiteral("red"), 16, 234},
        {"cbt_guanbi", QStringLiteral("退  出"), QStringLiteral("black"), 24, 324},
    };
    for (int k = 0; k < 4; ++k) {
        const ButtonLook& s = looks[k];
        QPushButton* b = roundedButton(this, s.name, s.text, s.colour, s.size);
        b->setGeometry(40, s.y, 150, 80);
        if (k < 3)
            connect(b, &QPushButton::clicked, this, [this, k] { openModule(k + 1); });
        else
            connect(b, &QPushButton::clicked, this, &QWidget::close);
    }

    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

QWidget* LauncherWindow::moduleWindow(int module) const { return m_windows.at(module - 1).data(); }

void LauncherWindow::openModule(int module) {
    QPointer<QWidget>& slot = m_windows.at(module - 1);
    if (slot)
        return; // the open window is neither raised nor focused
    QWidget* window = m_factory ? m_factory(module, this) : nullptr;
    if (!window)
        return;
    window->setAttribute(Qt::WA_DeleteOnClose);
    slot = window;
    window->show();
}

void LauncherWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QLinearGradient gradient(0, 0, 0, height());
    gradient.setColorAt(0, QColor(30, 144, 255)); // dodger blue
    gradient.setColorAt(1, Qt::white);
    painter.fillRect(rect(), gradient);
}

// A module window may refuse to close (its unsaved piles kept by "取消"); then the launcher, and the
// program with it, stays open.
void LauncherWindow::closeEvent(QCloseEvent* event) {
    for (const QPointer<QWidget>& window : m_windows)
        if (window && !window->close()) {
            event->ignore();
            return;
        }
    event->accept();
}

} // namespace sp::app
