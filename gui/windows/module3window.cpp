#include "windows/module3window.h"

#include "frame/qttext.h"
#include "frame/widgetcolours.h"
#include "module3/module3form.h"
#include "module3/module3reports.h"
#include "project/project.h"
#include "solve/applysolution.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

namespace sp::module3 {

using frame::q;
using frame::qItems;

using namespace sp::core;

namespace {

QLabel* alertLabel(QWidget* parent, const char* name, const char* text, QRect place, int size, const QColor& colour,
                   QFont::Weight weight) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(place);
    QFont font = label->font();
    font.setPixelSize(size);
    font.setWeight(weight);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    return label;
}

QPushButton* alertButton(QWidget* parent, const char* name, const char* text, int x, const QString& colour) {
    auto* b = new QPushButton(QString::fromUtf8(text), parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(x, 600, 150, 41);
    b->setStyleSheet(QStringLiteral("QPushButton { border: 1px solid #888; border-radius: 10px; background: #f4f4f4;"
                                    " font-size: 24px; font-weight: bold; color: %1; }"
                                    "QPushButton:pressed { background: #dddddd; }")
                         .arg(colour));
    return b;
}

} // namespace

Module3Window::Module3Window(QWidget* parent)
    : OneLayerWindow(QStringLiteral("TPELM_FRM_DURK3"), 800, QString::fromUtf8(kDeqBoxLabel), std::make_unique<Session>(),
                     parent) {
    // A research method, said in words beside the red of its name and of an over-standard result.
    setModuleName(QStringLiteral("侧阻端阻综合计算(拓展研究，仅供研究)"), QColor(255, 0, 0));
    m_verdictNote = addResultNote("lb_jielun");
    m_verdictNote->hide();
    m_method = new QComboBox(this);
    m_method->setObjectName(QString::fromLatin1(kFieldMethod));
    for (const auto& item : methodItems())
        m_method->addItem(q(item));
    m_method->setMaxVisibleItems(6);
    m_method->setFixedWidth(193);
    m_method->setEnabled(false); // the window opens with a round section
    addRow(pileGrid(), pileGrid()->rowCount(), kLabelMethod, QString::fromUtf8(kMethodLabel), m_method);
    connect(m_method, &QComboBox::currentIndexChanged, this, &Module3Window::onMethodChanged);

    createOptimisationPage(optimise::ModuleKind::Module3);
    addCoverLayer(buildAlertLayer());
}

optimise::RunContext Module3Window::runContext() const {
    optimise::RunContext context;
    context.method = method();
    return context;
}

void Module3Window::showRunEnd(const optimise::InputLayerState& state) {
    if (!state.written)
        return;
    const optimise::OneLayerFields& layer = state.oneLayer();
    if (layer.method)
        session().writeMethod(*layer.method);
    OneLayerWindow::showRunEnd(state);
    session().writeVerdict(layer.verdict, layer.boxColours);
    render();
}

void Module3Window::recallCandidate(const optimise::Recall& recall) {
    m_recalledMethod = recall.methodPosition;
    OneLayerWindow::recallCandidate(recall);
    m_recalledMethod.reset();
}

void Module3Window::beforeIntegrityRecalled() {
    if (m_recalledMethod)
        m_method->setCurrentIndex(*m_recalledMethod);
}

QWidget* Module3Window::buildAlertLayer() {
    auto* layer = new QWidget(this);
    layer->setObjectName(QStringLiteral("AlertLayer"));
    const QColor red(255, 0, 0);
    const QColor blue(0, 0, 255);
    alertLabel(layer, "Label1", "警    示", QRect(0, 48, 370, 65), 48, red, QFont::Bold)->setAlignment(Qt::AlignCenter);
    const struct {
        const char* name;
        const char* text;
        int y;
    } lines[] = {
        {"Label2", "本模块存在以下超规选项：", 140},        {"Label3", "1、非圆桩等效直径算法", 170},
        {"Label4", "    （1）周长相等折算", 200},            {"Label5", "    （2）最大（小）回转半径折算", 230},
        {"Label6", "    （3）取桩截面长（短）边尺寸", 260},  {"Label7", "    （4）最大（小）折算直径包络", 290},
        {"Label8", "2、非圆桩采用上述算法折算的等", 320},    {"Label9", "      效直径计算深径比、虚拟圆截", 350},
        {"Label13", "      面面积", 380},
    };
    for (const auto& line : lines)
        alertLabel(layer, line.name, line.text, QRect(44, line.y, 310, 33), 18, blue, QFont::Bold);
    const struct {
        const char* name;
        const char* text;
        int y;
    } warnings[] = {{"Label10", "超规选项，仅供研究，", 440},
                    {"Label11", "实际工程，不得采用，", 480},
                    {"Label12", "否则后果自负  ！！！", 520}};
    for (const auto& line : warnings)
        alertLabel(layer, line.name, line.text, QRect(70, line.y, 280, 33), 24, red, QFont::Black);

    QPushButton* agree = alertButton(layer, "cbt_tongyi", "我同意", 16, QStringLiteral("red"));
    QPushButton* disagree = alertButton(layer, "cbt_butongyi", "不同意", 200, QStringLiteral("black"));
    connect(agree, &QPushButton::clicked, this, &Module3Window::showInputLayer);
    connect(disagree, &QPushButton::clicked, this, &QWidget::close);
    return layer;
}

void Module3Window::onMethodChanged(int position) {
    session().chooseMethod(static_cast<DeqMethod>(position));
    render();
    emit contentChanged();
}

void Module3Window::render() {
    OneLayerWindow::render();
    const int position = static_cast<int>(method());
    if (m_method->currentIndex() != position) {
        const QSignalBlocker blocker(m_method);
        m_method->setCurrentIndex(position);
    }
    m_method->setEnabled(session().methodEnabled());
    for (const char* box : {kBoxDeq, kBoxRatio, kBoxZetaR, kBoxRa, kBoxRc})
        frame::setTextColour(resultBox(QString::fromLatin1(box)), session().boxColour(box));
    showVerdictNote();
}

// The verdict the boxes' colour shows, in words, while they hold a result.
void Module3Window::showVerdictNote() {
    if (session().box(kBoxRa).empty()) {
        m_verdictNote->clear();
        m_verdictNote->hide();
        return;
    }
    const bool over = session().boxColour(kBoxRa) == kRed;
    m_verdictNote->setText(over ? QStringLiteral("超规：结果仅供研究，实际工程不得采用")
                                : QStringLiteral("合规"));
    frame::setTextColour(m_verdictNote, over ? kRed : kGreen);
    m_verdictNote->show();
}

// The precision popup closes when a calculation starts, whether it completes or not.
void Module3Window::calculate() {
    hidePrecisionPopup();
    OneLayerWindow::calculate();
}

// The module 3 session's own calculation, which keeps the equivalent-diameter method with the pile.
module1::Outcome Module3Window::computePile(bool intoPages) { return project::computePile(session(), now(), intoPages); }

solve::DepthSolution Module3Window::solveDepth(const solve::Target& target, long long step) const {
    return solve::solveDepth(session().inputs(), target, step);
}

std::optional<solve::DiameterSolution> Module3Window::leastDiameter(const solve::Target& target) const {
    return solve::leastDiameter(session().inputs(), target);
}

module1::Outcome Module3Window::applyDepth(const solve::DepthSolution& solution, bool intoPages) {
    return solve::applyDepth(session(), solution, now(), intoPages);
}

charts::CapacityCurve Module3Window::capacityCurve(const charts::CurveRequest& request) const {
    return charts::capacityCurve(session().inputs(), request);
}

module1::Outcome Module3Window::applyDiameter(const solve::DiameterSolution& solution, bool intoPages) {
    return solve::applyDiameter(session(), solution, now(), intoPages);
}

project::ModuleState Module3Window::captureState() const {
    project::ModuleState state = project::capture(session());
    completeCapture(state);
    return state;
}

void Module3Window::restoreState(const project::ModuleState& state) {
    project::restore(session(), state);
    showRestored(state);
}

} // namespace sp::module3
