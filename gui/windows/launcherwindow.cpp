#include "windows/launcherwindow.h"

#include "frame/modulewindow.h"
#include "project/projectcontroller.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QKeySequence>
#include <QLabel>
#include <QLinearGradient>
#include <QMenu>
#include <QMenuBar>
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
    m_project = new ProjectController(this, this);
    m_project->setWindowOpener([this](int module) {
        openModule(module);
        return qobject_cast<frame::ModuleWindow*>(moduleWindow(module));
    });
    m_project->addTitledWindow(this);
    // The menu bar takes the top; the window grows by its height and the rest moves down under it.
    buildMenu();
    const int top = m_menuBar->sizeHint().height();
    m_menuBar->setGeometry(0, 0, kWidth, top);
    setFixedSize(kWidth, kHeight + top);

    auto* title = new QLabel(QStringLiteral("贵州桩基规程"), this);
    title->setObjectName(QStringLiteral("lb_biaoti"));
    title->setGeometry(0, top, kWidth, 55);
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
        b->setGeometry(40, top + s.y, 150, 80);
        if (k < 3)
            connect(b, &QPushButton::clicked, this, [this, k] { openModule(k + 1); });
        else
            connect(b, &QPushButton::clicked, this, &QWidget::close);
    }

    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

QWidget* LauncherWindow::moduleWindow(int module) const { return m_windows.at(module - 1).data(); }

void LauncherWindow::buildMenu() {
    m_menuBar = new QMenuBar(this);
    m_menuBar->setObjectName(QStringLiteral("menuBar"));
    m_menuBar->setNativeMenuBar(false); // inside the window, whose height allows for it
    QMenu* file = m_menuBar->addMenu(QStringLiteral("文件"));
    file->setObjectName(QStringLiteral("menu_wenjian"));
    const auto add = [this, file](const char* name, const QString& text, const QKeySequence& keys, auto slot) {
        QAction* action = file->addAction(text);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(keys);
        connect(action, &QAction::triggered, this, slot);
        addAction(action); // the shortcut works while the menu is closed
        return action;
    };
    add("act_xinjianxiangmu", QStringLiteral("新建项目"), {}, [this] { m_project->newProject(); });
    add("act_dakaixiangmu", QStringLiteral("打开项目…"), QKeySequence(Qt::CTRL | Qt::Key_O),
        [this] { m_project->openProject(); });
    QAction* save = add("act_baocunxiangmu", QStringLiteral("保存项目"), QKeySequence(Qt::CTRL | Qt::Key_S),
                        [this] { m_project->save(); });
    // Ctrl+S saves the project from every window of the program and every layer.
    save->setShortcutContext(Qt::ApplicationShortcut);
    add("act_lingcunxiangmu", QStringLiteral("项目另存为…"), {}, [this] { m_project->saveAs(); });
    m_recent = file->addMenu(QStringLiteral("最近的项目"));
    m_recent->setObjectName(QStringLiteral("menu_zuijinxiangmu"));
    connect(m_project, &ProjectController::recentProjectsChanged, this, &LauncherWindow::fillRecentMenu);
    fillRecentMenu();
    file->addSeparator();
    add("act_tuichu", QStringLiteral("退出"), {}, [this] { close(); });
}

// One entry per recent project, most recent first, numbered for the keyboard.
void LauncherWindow::fillRecentMenu() {
    m_recent->clear();
    const QStringList paths = m_project->recentProjects();
    for (int k = 0; k < paths.size(); ++k) {
        const QString path = paths[k];
        QAction* action = m_recent->addAction(QStringLiteral("&%1 %2").arg(k + 1).arg(QDir::toNativeSeparators(path)));
        connect(action, &QAction::triggered, this, [this, path] { m_project->openRecent(path); });
    }
    m_recent->setEnabled(!paths.isEmpty());
}

void LauncherWindow::openModule(int module) {
    QPointer<QWidget>& slot = m_windows.at(module - 1);
    if (slot)
        return; // the open window is neither raised nor focused
    QWidget* window = m_factory ? m_factory(module, this) : nullptr;
    if (!window)
        return;
    window->setAttribute(Qt::WA_DeleteOnClose);
    slot = window;
    if (auto* moduleWindow = qobject_cast<frame::ModuleWindow*>(window))
        m_project->adopt(module, moduleWindow); // the module's piles come back from the project
    window->show();
}

void LauncherWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QLinearGradient gradient(0, 0, 0, height());
    gradient.setColorAt(0, QColor(30, 144, 255)); // dodger blue
    gradient.setColorAt(1, Qt::white);
    painter.fillRect(rect(), gradient);
}

// One question about everything unsaved, the project's changes and the windows' pages; "取消" or
// a save that fails keeps the launcher, and the program with it, open. The module windows then
// close without asking again.
void LauncherWindow::closeEvent(QCloseEvent* event) {
    if (!m_project->confirmClose()) {
        event->ignore();
        return;
    }
    for (const QPointer<QWidget>& window : m_windows) {
        if (auto* moduleWindow = qobject_cast<frame::ModuleWindow*>(window.data())) {
            moduleWindow->closeWithoutAsking();
        } else if (window && !window->close()) {
            event->ignore();
            return;
        }
    }
    m_project->finish();
    event->accept();
}

} // namespace sp::app
