#include "frame/modulewindow.h"

#include "frame/aboutwindow.h"
#include "core/platform.h"
#include "core/textfile.h"
#include "frame/documentexport.h"
#include "frame/documentsfolder.h"
#include "frame/filechooser.h"
#include "frame/messagesink.h"
#include "frame/qttext.h"
#include "frame/reportfont.h"
#include "frame/storagepermission.h"
#include "frame/widgetcolours.h"
#include "optimise/optimisepage.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSlider>
#include <QStackedLayout>
#include <QStyle>
#include <QTextCursor>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <filesystem>

namespace sp::frame {

namespace {

constexpr int kDesignWidth = 370;
// The title every module window starts with; the module's name follows it.
constexpr const char* kWindowTitle = "嵌岩桩承载力计算 (DBJ52/T088-2018)";
// Room the desktop takes around a window for its title bar and frame.
constexpr int kFrameAllowance = 40;
constexpr int kDefaultFontSize = 14;

// The page on view into its file, on the documents layer; Ctrl+S belongs to the project.
QKeySequence savePageKeys() {
    return QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S);
}

QPushButton* button(QWidget* parent, const char* name, const QString& text, const QString& hint = {}) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    if (!hint.isEmpty())
        b->setToolTip(hint);
    return b;
}

QLabel* titleLabel(QWidget* parent, const char* name, const QString& text, const QColor& colour) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    QFont font = label->font();
    font.setPixelSize(24);
    font.setBold(true);
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    return label;
}

QPushButton* smallButton(QWidget* parent, const char* name, const QString& text, const QString& hint, int size) {
    QPushButton* b = button(parent, name, text, hint);
    b->setFixedSize(size, size);
    return b;
}

// The picture strip at the foot of the input layer until the first message replaces it.
QLabel* logoStrip(QWidget* parent) {
    QPixmap strip(kDesignWidth - 16, 28);
    strip.fill(Qt::transparent);
    QPainter painter(&strip);
    QLinearGradient gradient(0, 0, strip.width(), 0);
    gradient.setColorAt(0, QColor(30, 144, 255));
    gradient.setColorAt(1, QColor(255, 255, 255));
    painter.setBrush(gradient);
    painter.setPen(Qt::NoPen);
    painter.drawRoundedRect(strip.rect(), 6, 6);
    painter.setPen(Qt::white);
    painter.drawText(strip.rect().adjusted(10, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft,
                     QStringLiteral("DBJ 52/T088-2018  嵌岩桩"));
    painter.end();
    auto* logo = new QLabel(parent);
    logo->setObjectName(QStringLiteral("img_logo"));
    logo->setPixmap(strip);
    logo->setAlignment(Qt::AlignCenter);
    return logo;
}

} // namespace

ModuleWindow::ModuleWindow(const QString& windowClass, int height, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowMinMaxButtonsHint),
      m_defaultMessages(std::make_unique<DialogMessageSink>()),
      m_defaultPermission(std::make_unique<DesktopStoragePermission>()),
      m_defaultFiles(std::make_unique<DialogFileChooser>()) {
    m_messages = m_defaultMessages.get();
    m_files = m_defaultFiles.get();
    m_permission = m_defaultPermission.get();
    m_clock = core::nowLocal;
    setObjectName(windowClass);
    setWindowTitle(QString::fromUtf8(kWindowTitle));
    // The window opens at its design size where the screen holds it. The engineer may make it
    // larger, or shorter (the input layer then scrolls), but not narrower than the design width.
    setMinimumWidth(kDesignWidth);
    const QScreen* screen = this->screen();
    resize(screen ? openingSize({kDesignWidth, height}, screen->availableSize()) : QSize(kDesignWidth, height));

    m_layers = new QStackedLayout(this);
    m_layers->setContentsMargins(0, 0, 0, 0);
    // The input page: the inputs and results, which scroll on a short screen, over the button row
    // and the status line, which stay in view whatever the window's height.
    m_inputPage = new QWidget(this);
    m_inputPage->setObjectName(QStringLiteral("MainFormPage"));
    auto* pageLayout = new QVBoxLayout(m_inputPage);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    pageLayout->setSpacing(0);
    m_inputScroll = new QScrollArea(m_inputPage);
    m_inputScroll->setObjectName(QStringLiteral("MainFormScroll"));
    m_inputScroll->setWidgetResizable(true);
    m_inputScroll->setFrameShape(QFrame::NoFrame);
    m_inputLayer = new QWidget(m_inputScroll);
    m_inputLayer->setObjectName(QStringLiteral("MainFormLayer"));
    m_documentLayer = new QWidget(this);
    m_documentLayer->setObjectName(QStringLiteral("JieGuo_DocLayer"));
    m_optimisationLayer = new QWidget(this);
    m_optimisationLayer->setObjectName(QStringLiteral("YouHuaFormLayer"));
    m_layers->addWidget(m_inputPage);
    m_layers->addWidget(m_documentLayer);
    m_layers->addWidget(m_optimisationLayer);
    buildInputLayer(m_inputLayer);
    m_inputScroll->setWidget(m_inputLayer);
    pageLayout->addWidget(m_inputScroll, 1);
    auto* footer = new QWidget(m_inputPage);
    footer->setObjectName(QStringLiteral("MainFormFooter"));
    auto* footerLayout = new QVBoxLayout(footer);
    footerLayout->setContentsMargins(8, 4, 8, 6);
    footerLayout->setSpacing(4);
    buildButtonRow(footer, footerLayout);
    buildStatusStrip(footer, footerLayout);
    pageLayout->addWidget(footer);
    // At the design width a short window scrolls the inputs up and down only: the layer gives up
    // the room of the vertical scroll bar rather than scroll sideways.
    m_inputLayer->setMinimumWidth(kDesignWidth - style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this));
    buildDocumentLayer(m_documentLayer);
    buildOptimisationLayer(m_optimisationLayer);
    m_layers->setCurrentWidget(m_inputPage);

    if (screen)
        move(screen->availableGeometry().center() - rect().center());
}

QSize ModuleWindow::openingSize(const QSize& design, const QSize& available) {
    return {design.width(), std::min(design.height(), available.height() - kFrameAllowance)};
}

ModuleWindow::~ModuleWindow() = default;

void ModuleWindow::buildInputLayer(QWidget* layer) {
    auto* layout = new QVBoxLayout(layer);
    layout->setContentsMargins(8, 6, 8, 6);
    layout->setSpacing(4);
    buildTitleRow(layer, layout);
    layout->addStretch(1);
    m_inputArea = new QVBoxLayout;
    m_inputArea->setSpacing(10);
    layout->addLayout(m_inputArea);
    layout->addStretch(1);
    buildResultGroup(layer, layout);
    layout->addStretch(1);
    buildPrecisionPopup(layer);
}

void ModuleWindow::buildTitleRow(QWidget* layer, QVBoxLayout* layout) {
    auto* titleRow = new QHBoxLayout;
    titleRow->addSpacing(24);
    titleRow->addWidget(titleLabel(layer, "lb_cxm", QStringLiteral("嵌岩桩承载力计算"), QColor(138, 43, 226)), 1);
    QPushButton* copyright = smallButton(layer, "cbt_copyright", QStringLiteral("©"), QStringLiteral("版权信息"), 24);
    connect(copyright, &QPushButton::clicked, this, &ModuleWindow::onAbout);
    titleRow->addWidget(copyright, 0, Qt::AlignTop);
    layout->addLayout(titleRow);
    // Which of the three modules this is, under the heading; the module names it.
    m_moduleName = new QLabel(layer);
    m_moduleName->setObjectName(QStringLiteral("lb_mokuai"));
    m_moduleName->setAlignment(Qt::AlignCenter);
    m_moduleName->setWordWrap(true);
    QFont nameFont = m_moduleName->font();
    nameFont.setPixelSize(15);
    nameFont.setBold(true);
    m_moduleName->setFont(nameFont);
    m_moduleName->hide();
    layout->addWidget(m_moduleName);
}

void ModuleWindow::setModuleName(const QString& name, const QColor& colour) {
    setWindowTitle(QString::fromUtf8(kWindowTitle) + QStringLiteral(" — ") + name);
    m_moduleName->setText(name);
    QPalette palette = m_moduleName->palette();
    palette.setColor(QPalette::WindowText, colour);
    m_moduleName->setPalette(palette);
    m_moduleName->show();
}

// The result boxes go into its grid as the module adds them, between the precision button and
// the two lines naming the standard.
void ModuleWindow::buildResultGroup(QWidget* layer, QVBoxLayout* layout) {
    m_resultGroup = new QGroupBox(QStringLiteral("计算结果"), layer);
    m_resultGroup->setObjectName(QStringLiteral("gpb_jisuanjieguo"));
    auto* groupLayout = new QVBoxLayout(m_resultGroup);
    groupLayout->setContentsMargins(8, 4, 8, 4);
    auto* precisionRow = new QHBoxLayout;
    m_resultActions = precisionRow;
    precisionRow->addStretch(1);
    m_precisionButton = smallButton(m_resultGroup, "cbt_JingDu", QStringLiteral("≈"), QStringLiteral("调整精度"), 24);
    connect(m_precisionButton, &QPushButton::clicked, this, &ModuleWindow::onPrecisionToggle);
    precisionRow->addWidget(m_precisionButton);
    groupLayout->addLayout(precisionRow);
    m_resultGrid = new QGridLayout;
    m_resultGrid->setVerticalSpacing(5);
    groupLayout->addLayout(m_resultGrid);
    for (const auto& [name, text] : {std::pair{"lb_guifan1", "《贵州省建筑桩基设计与施工技术规程》"},
                                      std::pair{"lb_guifan2", "(DBJ52/T088-2018)"}}) {
        auto* label = new QLabel(QString::fromUtf8(text), m_resultGroup);
        label->setObjectName(QString::fromLatin1(name));
        label->setAlignment(Qt::AlignCenter);
        groupLayout->addWidget(label);
    }
    layout->addWidget(m_resultGroup);
}

// The precision popup floats over the result group, under its button.
void ModuleWindow::buildPrecisionPopup(QWidget* layer) {
    m_precisionPopup = new QListWidget(layer);
    m_precisionPopup->setObjectName(QStringLiteral("popbox_jingdu"));
    for (int k = 0; k < 5; ++k)
        m_precisionPopup->addItem(QString::fromUtf8(core::precisionItem(static_cast<core::Precision>(k))));
    m_precisionPopup->setCurrentRow(static_cast<int>(core::kDefaultPrecision));
    m_precisionPopup->setFixedSize(110, 5 * 22 + 6);
    m_precisionPopup->hide();
    connect(m_precisionPopup, &QListWidget::currentRowChanged, this, &ModuleWindow::onPrecisionChosen);
}

void ModuleWindow::buildButtonRow(QWidget* layer, QVBoxLayout* layout) {
    auto* buttons = new QHBoxLayout;
    m_compute = button(layer, "cbt_compute", QStringLiteral("计算"));
    m_view = button(layer, "cbt_View", QStringLiteral("结果"));
    m_view->hide();
    QPushButton* optimise = smallButton(layer, "cbt_YouHua", QStringLiteral("★"), QStringLiteral("筛选优化"), 34);
    optimise->setStyleSheet(QStringLiteral("QPushButton { color: red; border-radius: 17px; border: 1px solid #999;"
                                           " background: #fff; font-size: 16px; }"));
    QPushButton* exit = button(layer, "cbt_tuichu", QStringLiteral("退出"));
    for (QPushButton* b : {m_compute, m_view, exit})
        b->setFixedSize(110, 34);
    buttons->addWidget(m_compute);
    buttons->addWidget(m_view);
    buttons->addStretch(1);
    buttons->addWidget(optimise);
    buttons->addStretch(1);
    buttons->addWidget(exit);
    connect(m_compute, &QPushButton::clicked, this, [this] { calculate(); });
    connect(m_view, &QPushButton::clicked, this, &ModuleWindow::onView);
    connect(optimise, &QPushButton::clicked, this, &ModuleWindow::onOptimise);
    connect(exit, &QPushButton::clicked, this, &QWidget::close);
    layout->addLayout(buttons);
}

// The status line takes the place of the picture strip for good once a message is shown.
void ModuleWindow::buildStatusStrip(QWidget* layer, QVBoxLayout* layout) {
    auto* strip = new QGridLayout;
    m_logo = logoStrip(layer);
    m_status = new QLabel(layer);
    m_status->setObjectName(QStringLiteral("lb_shuoming"));
    m_status->setAlignment(Qt::AlignCenter);
    m_status->setWordWrap(true);
    m_status->setMinimumHeight(28);
    QFont statusFont = m_status->font();
    statusFont.setPixelSize(14);
    m_status->setFont(statusFont);
    m_status->hide();
    strip->addWidget(m_logo, 0, 0);
    strip->addWidget(m_status, 0, 0);
    layout->addLayout(strip);
}

void ModuleWindow::buildDocumentLayer(QWidget* layer) {
    auto* layout = new QVBoxLayout(layer);
    layout->setContentsMargins(8, 6, 8, 6);
    auto* titleRow = new QHBoxLayout;
    titleRow->addSpacing(28);
    titleRow->addWidget(titleLabel(layer, "lb_jisuanjieguo", QStringLiteral("计算结果"), QColor(0, 0, 255)), 1);
    m_pageButton = smallButton(layer, "cbt_PageBook", QStringLiteral("1"), QStringLiteral("切换计算书"), 28);
    connect(m_pageButton, &QPushButton::clicked, this, &ModuleWindow::onPageSwitch);
    titleRow->addWidget(m_pageButton);
    layout->addLayout(titleRow);

    auto* views = new QGridLayout;
    m_bookView = new QPlainTextEdit(layer);
    m_bookView->setObjectName(QStringLiteral("meo_jisuanjieguo_Doc"));
    m_tableView = new QPlainTextEdit(layer);
    m_tableView->setObjectName(QStringLiteral("meo_jisuanjieguo_Xls"));
    for (QPlainTextEdit* view : {m_bookView, m_tableView}) {
        view->setReadOnly(true);
        view->setLineWrapMode(QPlainTextEdit::NoWrap);
        view->setFont(reportFont(kDefaultFontSize));
        views->addWidget(view, 0, 0);
    }
    m_tableView->hide();
    layout->addLayout(views, 1);

    m_fontSlider = new QSlider(Qt::Horizontal, layer);
    m_fontSlider->setObjectName(QStringLiteral("tcb_meoFontSize"));
    m_fontSlider->setToolTip(QStringLiteral("调整字体大小"));
    m_fontSlider->setRange(4, 24);
    m_fontSlider->setValue(kDefaultFontSize);
    connect(m_fontSlider, &QSlider::valueChanged, this, &ModuleWindow::onFontSize);
    layout->addWidget(m_fontSlider);

    auto* buttons = new QHBoxLayout;
    QPushButton* back = button(layer, "cbt_Exit", QStringLiteral("返回"));
    m_save = button(layer, "cbt_Save", QStringLiteral("保存"),
                    QStringLiteral("保存本页 (%1)").arg(savePageKeys().toString(QKeySequence::NativeText)));
    // The page on view into a file of the engineer's choosing, beside the usual name "保存" writes.
    m_saveAs = button(layer, "cbt_SaveAs", QStringLiteral("另存为…"));
    m_saveAs->setFixedSize(84, 34);
    m_saveAs->setEnabled(false);
    m_deleteLast = smallButton(layer, "cbt_sanchu", QStringLiteral("x"), QStringLiteral("删除最末数据"), 22);
    m_deleteLast->setEnabled(false);
    for (QPushButton* b : {back, m_save})
        b->setFixedSize(110, 34);
    buttons->addWidget(back);
    buttons->addStretch(1);
    buttons->addWidget(m_save);
    buttons->addWidget(m_saveAs);
    buttons->addWidget(m_deleteLast, 0, Qt::AlignBottom);
    connect(back, &QPushButton::clicked, this, &ModuleWindow::onBack);
    connect(m_save, &QPushButton::clicked, this, &ModuleWindow::onSave);
    connect(m_saveAs, &QPushButton::clicked, this, &ModuleWindow::onSaveAs);
    connect(m_deleteLast, &QPushButton::clicked, this, &ModuleWindow::onDeleteLast);

    // The documents an engineer hands in, beside the plain text pages: the book as PDF or on
    // paper, the pile table as a spreadsheet.
    auto* exports = new QHBoxLayout;
    m_exportPdf = button(layer, "cbt_ExportPdf", QStringLiteral("导出PDF…"));
    m_print = button(layer, "cbt_Print", QStringLiteral("打印…"));
    m_exportTable = button(layer, "cbt_ExportExcel", QStringLiteral("导出Excel…"));
    for (QPushButton* b : {m_exportPdf, m_print, m_exportTable}) {
        b->setEnabled(false);
        exports->addWidget(b);
    }
    connect(m_exportPdf, &QPushButton::clicked, this, &ModuleWindow::onExportPdf);
    connect(m_print, &QPushButton::clicked, this, &ModuleWindow::onPrint);
    connect(m_exportTable, &QPushButton::clicked, this, &ModuleWindow::onExportTable);
    layout->addLayout(exports);
    layout->addLayout(buttons);

    // Where the last "保存" wrote, in full, so the engineer can find the file.
    m_savedPath = new QLabel(layer);
    m_savedPath->setObjectName(QStringLiteral("lb_baocunweizhi"));
    m_savedPath->setWordWrap(true);
    m_savedPath->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_savedPath);
}

void ModuleWindow::buildOptimisationLayer(QWidget* layer) {
    auto* layout = new QVBoxLayout(layer);
    layout->setContentsMargins(0, 0, 0, 0);
    // A plain page with its title, status label and "返回" until the module installs its own.
    m_optimisationPlaceholder = new QWidget(layer);
    auto* inner = new QVBoxLayout(m_optimisationPlaceholder);
    inner->setContentsMargins(8, 6, 8, 6);
    inner->addWidget(
        titleLabel(m_optimisationPlaceholder, "lb_youhuabiaoti", QStringLiteral("嵌岩桩优化设计"), QColor(138, 43, 226)));
    inner->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    QPushButton* back = button(m_optimisationPlaceholder, "cbt_YHfanhui", QStringLiteral("返回"));
    back->setFixedSize(80, 34);
    connect(back, &QPushButton::clicked, this, &ModuleWindow::onOptimiseBack);
    buttons->addWidget(back);
    inner->addLayout(buttons);
    m_optimisationStatus = new QLabel(m_optimisationPlaceholder);
    m_optimisationStatus->setObjectName(QStringLiteral("lb_YHxingxi"));
    m_optimisationStatus->setMinimumHeight(24);
    inner->addWidget(m_optimisationStatus);
    layout->addWidget(m_optimisationPlaceholder);
}

void ModuleWindow::installOptimisationPage(QWidget* page, QLabel* statusLabel) {
    delete m_optimisationPlaceholder;
    m_optimisationPlaceholder = nullptr;
    m_optimisationLayer->layout()->addWidget(page);
    m_optimisationStatus = statusLabel;
}

void ModuleWindow::leaveOptimisation() { onOptimiseBack(); }

std::optional<core::WriteResult> ModuleWindow::writeOptimisationTables(const QString&, const core::Moment&) {
    return std::nullopt;
}

QLineEdit* ModuleWindow::addResultBox(const char* name, const QString& label) {
    auto* text = new QLabel(label, m_resultGroup);
    text->setObjectName(QStringLiteral("lb_") + QString::fromLatin1(name));
    auto* box = new QLineEdit(m_resultGroup);
    box->setObjectName(QString::fromLatin1(name));
    box->setReadOnly(true);
    box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    box->setFixedWidth(100);
    QFont font = box->font();
    font.setPixelSize(18);
    box->setFont(font);
    setTextColour(box, core::kGreen);
    m_resultGrid->addWidget(text, m_resultRows, 0);
    m_resultGrid->addWidget(box, m_resultRows, 1);
    ++m_resultRows;
    return box;
}

QLabel* ModuleWindow::addResultNote(const char* name) {
    auto* note = new QLabel(m_resultGroup);
    note->setObjectName(QString::fromLatin1(name));
    note->setAlignment(Qt::AlignCenter);
    note->setWordWrap(true);
    m_resultGrid->addWidget(note, m_resultRows, 0, 1, 2);
    ++m_resultRows;
    return note;
}

QLineEdit* ModuleWindow::resultBox(const QString& name) const { return findChild<QLineEdit*>(name); }

core::Precision ModuleWindow::precision() const {
    const int row = m_precisionPopup->currentRow();
    return row >= 0 ? static_cast<core::Precision>(row) : core::kDefaultPrecision;
}

QPushButton* ModuleWindow::addResultAction(const char* name, const QString& text, const QString& hint) {
    QPushButton* action = button(m_resultGroup, name, text, hint);
    action->setFixedHeight(24);
    m_resultActions->insertWidget(m_resultActions->count() - 2, action);
    return action;
}

int ModuleWindow::runDialog(QDialog& dialog) { return m_dialogRunner ? m_dialogRunner(dialog) : dialog.exec(); }

MessageSink& ModuleWindow::messages() const { return *m_messages; }

void ModuleWindow::showStatus(const core::StatusLine& line) {
    m_status->setText(q(line.text));
    if (!line.visible)
        return;
    m_logo->hide();
    m_status->show();
    setTextColour(m_status, line.colour);
}

void ModuleWindow::showCalculated(bool calculated) {
    if (calculated) {
        m_view->show();
        m_compute->hide();
        // On a short screen the results may lie below the inputs: bring them into view, once the
        // layer is laid out with what the module shows beside them.
        QTimer::singleShot(0, this, [this] {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
            m_inputScroll->ensureWidgetVisible(m_resultGroup, 0, 0);
        });
        return;
    }
    m_compute->setEnabled(true);
    m_compute->show();
    m_view->hide();
}

void ModuleWindow::showCalculationEnd(core::OutcomeKind kind, const std::string& message, bool intoPages) {
    if (kind == core::OutcomeKind::Conversion)
        reportConversionError(q(message));
    else if (kind == core::OutcomeKind::Check)
        reportStopped();
    else if (intoPages)
        showNewPile();
}

void ModuleWindow::reportStopped() {
    m_optimisationStatus->setText(QString::fromUtf8(optimise::kStoppedStatus));
    setTextColour(m_optimisationStatus, core::kRed);
}

void ModuleWindow::reportConversionError(const QString& message) { m_messages->warn(this, message); }

void ModuleWindow::showNewPile() {
    refreshViews();
    m_savedPath->clear();
    m_save->setEnabled(true);
    m_precisionPopup->hide();
    m_deleteLast->setEnabled(true);
}

void ModuleWindow::refreshViews() {
    auto fill = [](QPlainTextEdit* view, const report::Lines& lines) {
        QString text;
        for (std::size_t k = 0; k < lines.size(); ++k) {
            if (k > 0)
                text += QLatin1Char('\n');
            text += q(lines[k]);
        }
        view->setPlainText(text);
        view->moveCursor(QTextCursor::Start);
    };
    fill(m_bookView, m_documents->book().lines());
    fill(m_tableView, m_documents->table().lines());
    updateExportButtons();
}

void ModuleWindow::updateExportButtons() {
    const bool piles = m_documents && m_documents->pileRegister().count() > 0;
    for (QPushButton* b : {m_exportPdf, m_print, m_exportTable, m_saveAs})
        b->setEnabled(piles);
}

ExportContext ModuleWindow::exportContext() {
    ExportContext context;
    context.parent = this;
    context.documents = m_documents;
    context.messages = m_messages;
    context.files = m_files;
    context.names = m_bookNames;
    context.documentsFolder = m_documentsFolder.isEmpty() ? documentsFolder() : m_documentsFolder;
    context.now = m_clock();
    return context;
}

void ModuleWindow::onExportPdf() { exportBookPdf(exportContext()); }

void ModuleWindow::onPrint() { printBook(exportContext()); }

void ModuleWindow::onExportTable() { exportPileTable(exportContext()); }

void ModuleWindow::updateSaveButton() { m_save->setEnabled(m_documents->saveState().unsaved(m_pageOnView)); }

void ModuleWindow::showLayer(QWidget* layer) {
    m_layers->setCurrentWidget(layer == m_inputLayer ? m_inputPage : layer);
}

void ModuleWindow::addCoverLayer(QWidget* layer) {
    m_layers->addWidget(layer);
    m_layers->setCurrentWidget(layer);
}

void ModuleWindow::showInputLayer() { showLayer(m_inputLayer); }

void ModuleWindow::hidePrecisionPopup() { m_precisionPopup->hide(); }

void ModuleWindow::setPrecision(core::Precision precision) {
    const QSignalBlocker blocker(m_precisionPopup);
    m_precisionPopup->setCurrentRow(static_cast<int>(precision));
}

void ModuleWindow::showRestoredDocuments() {
    refreshViews();
    m_savedPath->clear();
    m_deleteLast->setEnabled(m_documents->pileRegister().count() > 0);
    updateSaveButton();
}

void ModuleWindow::closeWithoutAsking() {
    m_closeWithoutAsking = true;
    close();
}

void ModuleWindow::onView() {
    showLayer(m_documentLayer);
    // Re-lay out the views so that the page on view is drawn at its size.
    for (QPlainTextEdit* view : {m_bookView, m_tableView}) {
        QFont font = view->font();
        const int size = font.pixelSize();
        font.setPixelSize(size + 2);
        view->setFont(font);
        font.setPixelSize(size);
        view->setFont(font);
    }
}

void ModuleWindow::onBack() { showLayer(m_inputLayer); }

void ModuleWindow::onOptimise() {
    showLayer(m_optimisationLayer);
    m_optimisationMode = true;
}

void ModuleWindow::onOptimiseBack() {
    showLayer(m_inputLayer);
    m_optimisationMode = false;
}

void ModuleWindow::onAbout() {
    if (!m_about)
        m_about = new AboutWindow(this);
    m_about->show();
    m_about->raise();
}

void ModuleWindow::onPrecisionToggle() {
    if (m_precisionPopup->isVisible()) {
        m_precisionPopup->hide();
        return;
    }
    const QPoint corner = m_precisionButton->mapTo(m_inputLayer, QPoint(m_precisionButton->width(), m_precisionButton->height()));
    m_precisionPopup->move(corner.x() - m_precisionPopup->width(), corner.y() + 2);
    m_precisionPopup->show();
    m_precisionPopup->raise();
    // Clicks land on the window's children, so only the application sees them all; the filter
    // goes again once the popup is hidden.
    qApp->installEventFilter(this);
}

void ModuleWindow::onPrecisionChosen() {
    // A change with the popup closed only takes effect at the next calculation.
    if (m_precisionPopup->isVisible())
        calculate();
    emit contentChanged();
}

void ModuleWindow::onFontSize(int size) {
    for (QPlainTextEdit* view : {m_bookView, m_tableView}) {
        QFont font = view->font();
        font.setPixelSize(size);
        view->setFont(font);
    }
}

void ModuleWindow::onPageSwitch() {
    m_pageOnView = m_pageOnView == report::Page::Book ? report::Page::Table : report::Page::Book;
    const bool book = m_pageOnView == report::Page::Book;
    m_bookView->setVisible(book);
    m_tableView->setVisible(!book);
    m_pageButton->setText(book ? QStringLiteral("1") : QStringLiteral("2"));
    updateSaveButton();
}

void ModuleWindow::onSave() {
    requestFolder([this](const QString& folder) { saveInto(folder); });
}

void ModuleWindow::requestFolder(std::function<void(const QString& folder)> write) {
    auto rationale = [this](const QStringList& permissions) {
        QString text;
        for (const QString& permission : permissions)
            if (permission == kStorageWritePermission)
                text += QStringLiteral("需要存贮权限，否则计算结果不能存盘");
        m_messages->inform(this, text);
    };
    m_permission->requestStorageWrite(rationale,
                                      [this, write = std::move(write)](const QList<bool>& granted) {
                                          if (const std::optional<QString> folder = grantedFolder(granted))
                                              write(*folder);
                                      });
}

std::optional<QString> ModuleWindow::grantedFolder(const QList<bool>& granted) {
    if (granted.size() != 1 || !granted.front()) {
        m_messages->warn(this, QStringLiteral("无权存盘"));
        return std::nullopt;
    }
    const QString folder = m_documentsFolder.isEmpty() ? documentsFolder() : m_documentsFolder;
    QString problem;
    if (!prepareFolder(folder, problem)) {
        m_messages->warn(this, QStringLiteral("无法保存文件：%1\n%2").arg(folder, problem));
        return std::nullopt;
    }
    return folder;
}

void ModuleWindow::saveInto(const QString& folder) {
    if (m_optimisationMode) {
        const std::optional<core::WriteResult> written = writeOptimisationTables(folder, m_clock());
        if (written && !written->ok)
            m_messages->warn(this, QStringLiteral("无法保存文件：%1\n%2").arg(q(written->path), q(written->reason)));
        else if (written)
            showSavedPath(m_optimisationStatus, written->path);
        return;
    }
    if (writeDocumentPage(folder, m_pageOnView))
        m_save->setEnabled(false);
}

bool ModuleWindow::writeDocumentPage(const QString& folder, report::Page page) {
    const std::filesystem::path file =
        frame::pathOf(folder) /
        core::pathFromUtf8(page == report::Page::Book ? report::kBookFileName : report::kTableFileName);
    return writePageTo(file, page);
}

bool ModuleWindow::writePageTo(const std::filesystem::path& file, report::Page page) {
    const core::WriteResult written = core::writePage(file, m_documents->page(page));
    if (!written.ok) {
        m_messages->warn(this, QStringLiteral("无法保存文件：%1\n%2").arg(q(written.path), q(written.reason)));
        return false;
    }
    m_documents->saveState().markSaved(page);
    showSavedPath(m_savedPath, written.path);
    emit contentChanged();
    return true;
}

QString ModuleWindow::folderForDocuments() const {
    return m_documentsFolder.isEmpty() ? documentsFolder() : m_documentsFolder;
}

void ModuleWindow::onSaveAs() {
    if (!m_documents || m_documents->pileRegister().count() == 0)
        return;
    const report::Page page = m_pageOnView;
    const QString folder = folderForDocuments();
    const QString name = QString::fromUtf8(page == report::Page::Book ? report::kBookFileName : report::kTableFileName);
    QDir().mkpath(folder); // the dialog opens where "保存" writes, made if it is not there yet
    // A name without a suffix is given ".txt".
    const std::optional<QString> chosen =
        chooseSaveFile(*m_files, *m_messages, this, QStringLiteral("另存为"), QDir(folder).filePath(name),
                       QStringLiteral("文本文件 (*.txt)"));
    if (!chosen)
        return;
    if (writePageTo(frame::pathOf(*chosen), page))
        updateSaveButton();
}

void ModuleWindow::showSavedPath(QLabel* label, const std::string& path) {
    label->setText(QStringLiteral("已保存：") +
                   QDir::toNativeSeparators(QFileInfo(q(path)).absoluteFilePath()));
    setTextColour(label, core::kBlack);
}

bool ModuleWindow::holdsUnsavedPiles() const {
    return m_documents && m_documents->pileRegister().count() > 0 &&
           (m_documents->saveState().unsaved(report::Page::Book) ||
            m_documents->saveState().unsaved(report::Page::Table));
}

bool ModuleWindow::saveUnsavedPages() {
    // Shared with the permission's answer, which a platform may give only after this returns.
    auto saved = std::make_shared<bool>(false);
    requestFolder([this, saved](const QString& folder) {
        for (report::Page page : {report::Page::Book, report::Page::Table})
            if (m_documents->saveState().unsaved(page) && !writeDocumentPage(folder, page))
                return;
        updateSaveButton();
        *saved = true;
    });
    return *saved;
}

void ModuleWindow::closeEvent(QCloseEvent* event) {
    if (m_closeWithoutAsking || !holdsUnsavedPiles()) {
        event->accept();
    } else {
        const SaveAnswer answer = m_messages->askToSave(this, QStringLiteral("未保存的计算结果"),
                                                        QStringLiteral("计算结果尚未保存，是否保存后关闭？"));
        if (answer == SaveAnswer::Save)
            event->setAccepted(saveUnsavedPages());
        else
            event->setAccepted(answer == SaveAnswer::Discard);
    }
    m_closeWithoutAsking = false;
    if (event->isAccepted())
        emit closing();
}

bool ModuleWindow::isInputField(const QWidget* widget) const {
    if (!widget || !m_inputLayer->isAncestorOf(widget))
        return false;
    for (const QWidget* w = widget; w && w != m_inputLayer; w = w->parentWidget())
        if (qobject_cast<const QAbstractItemView*>(w))
            return false; // a cell editor or a list: Enter belongs to it
    if (const auto* edit = qobject_cast<const QLineEdit*>(widget))
        return !edit->isReadOnly();
    return qobject_cast<const QComboBox*>(widget) != nullptr;
}

void ModuleWindow::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && isInputField(focusWidget()) && m_compute->isVisible() && m_compute->isEnabled()) {
        m_compute->click();
    } else if (QKeySequence(event->keyCombination()) == savePageKeys() &&
               m_layers->currentWidget() == m_documentLayer) {
        if (m_save->isEnabled())
            onSave();
    } else if (event->key() == Qt::Key_Escape && m_precisionPopup->isVisible()) {
        m_precisionPopup->hide();
    } else {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

bool ModuleWindow::eventFilter(QObject* watched, QEvent* event) {
    if (!m_precisionPopup->isVisible()) {
        qApp->removeEventFilter(this);
        return false;
    }
    if (event->type() != QEvent::MouseButtonPress || !watched->isWidgetType())
        return false;
    auto* target = static_cast<QWidget*>(watched);
    // The button toggles the popup itself; a click in the popup chooses.
    const bool own =
        target == m_precisionButton || target == m_precisionPopup || m_precisionPopup->isAncestorOf(target);
    if (target->window() == this && !own)
        m_precisionPopup->hide();
    return false;
}

void ModuleWindow::onDeleteLast() {
    m_documents->deleteLast();
    emit contentChanged();
    refreshViews();
    m_savedPath->clear();
    if (m_documents->pileRegister().count() == 0) {
        m_save->setEnabled(false);
        m_deleteLast->setEnabled(false);
        return;
    }
    // The shortened documents differ from any file saved before: both pages may be saved again.
    updateSaveButton();
}

} // namespace sp::frame
