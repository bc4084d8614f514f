#include "solve/solvedialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace sp::solve {

namespace {

// A positive, finite number of kN; nothing for anything else.
std::optional<double> positiveForce(const QString& text) {
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value) || value <= 0.0)
        return std::nullopt;
    return value;
}

QLineEdit* numberField(QWidget* parent, const char* name, const QString& text, const QString& placeholder) {
    auto* field = new QLineEdit(text, parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setPlaceholderText(placeholder);
    field->setFixedWidth(110);
    return field;
}

} // namespace

std::variant<SolveRequest, QString> readRequest(const QString& ra, const QString& n, const QString& step,
                                                const QString& minDepth, bool withN) {
    SolveRequest request;
    if (ra.trimmed().isEmpty())
        return QStringLiteral("请输入要求的单桩竖向承载力特征值 Ra,req (kN)");
    const auto required = positiveForce(ra);
    if (!required)
        return QStringLiteral("Ra,req 须为大于 0 的数 (kN)：%1").arg(ra.trimmed());
    request.target.ra = *required;
    if (withN && !n.trimmed().isEmpty()) {
        const auto force = positiveForce(n);
        if (!force)
            return QStringLiteral("N 须为大于 0 的数 (kN)，不需核算 Rc 时留空：%1").arg(n.trimmed());
        request.target.n = *force;
    }
    bool ok = false;
    const long long mm = step.trimmed().toLongLong(&ok);
    if (!ok || mm < 1 || mm > kLengthLimit)
        return QStringLiteral("步长须为 1 至 %1 之间的整数 (mm)：%2").arg(kLengthLimit).arg(step.trimmed());
    request.step = mm;
    const long long least = minDepth.trimmed().toLongLong(&ok);
    if (!ok || least < 0 || least > kLengthLimit)
        return QStringLiteral("最小深度须为 0 至 %1 之间的整数 (mm)，0 为不限：%2")
            .arg(kLengthLimit)
            .arg(minDepth.trimmed());
    request.target.minDepth = least;
    return request;
}

SolveDialog::SolveDialog(Form form, bool offerDiameter, QWidget* parent) : QDialog(parent), m_form(form) {
    setObjectName(QStringLiteral("SolveDialog"));
    setWindowTitle(QStringLiteral("反算"));
    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(
        form == Form::SocketDepth
            ? QStringLiteral("求满足 Ra ≥ Ra,req、不小于最小嵌岩深度的\n最小嵌岩深度 hr，写入输入并计算。")
            : QStringLiteral(
                  "求满足 Ra ≥ Ra,req、不小于最小长度的\n最下层岩层最小长度 lri，写入表格并计算。"),
        this);
    intro->setObjectName(QStringLiteral("lb_SolveIntro"));
    layout->addWidget(intro);

    auto* fields = new QFormLayout;
    m_ra = numberField(this, "ed_Ra", {}, QStringLiteral("必填"));
    fields->addRow(QStringLiteral("要求的承载力特征值 Ra,req (kN)"), m_ra);
    m_n = numberField(this, "ed_N", {}, QStringLiteral("可不填"));
    if (form == Form::SocketDepth)
        fields->addRow(QStringLiteral("轴向压力设计值 N (kN)"), m_n);
    else
        m_n->hide(); // module 2 gives no Rc to compare N with
    m_step = numberField(this, "ed_Step", QString::number(kDefaultStep), {});
    fields->addRow(form == Form::SocketDepth ? QStringLiteral("嵌岩深度 hr 的步长 (mm)")
                                             : QStringLiteral("最下层岩层长度的步长 (mm)"),
                   m_step);
    m_minDepth = numberField(this, "ed_MinDepth", QString::number(kDefaultMinDepth), {});
    m_minDepth->setToolTip(QStringLiteral("所求深度不小于此值；0 为不限"));
    fields->addRow(form == Form::SocketDepth ? QStringLiteral("最小嵌岩深度 hr (mm)")
                                             : QStringLiteral("最下层岩层最小长度 (mm)"),
                   m_minDepth);
    layout->addLayout(fields);

    m_error = new QLabel(this);
    m_error->setObjectName(QStringLiteral("lb_SolveError"));
    m_error->setWordWrap(true);
    QPalette palette = m_error->palette();
    palette.setColor(QPalette::WindowText, QColor(255, 0, 0));
    m_error->setPalette(palette);
    m_error->hide();
    layout->addWidget(m_error);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("cbt_SolveOk"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] { finish(LeastDepth); });
    if (offerDiameter) {
        QPushButton* diameter = buttons->addButton(QStringLiteral("最小桩径"), QDialogButtonBox::ActionRole);
        diameter->setObjectName(QStringLiteral("cbt_LeastDiameter"));
        diameter->setToolTip(
            QStringLiteral("嵌岩深度按原样保留（d 的倍数或 mm），求最小桩径（50 mm 的倍数）"));
        connect(diameter, &QPushButton::clicked, this, [this] { finish(LeastDiameter); });
    }
    QPushButton* cancel = buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cbt_SolveCancel"));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    layout->addWidget(buttons);
}

QString SolveDialog::refusal() const { return m_error->text(); }

void SolveDialog::finish(Answer answer) {
    auto read = readRequest(m_ra->text(), m_n->text(), m_step->text(), m_minDepth->text(),
                            m_form == Form::SocketDepth);
    if (const QString* reason = std::get_if<QString>(&read)) {
        m_request.reset();
        m_error->setText(*reason);
        m_error->show();
        return;
    }
    m_error->clear();
    m_error->hide();
    m_request = std::get<SolveRequest>(read);
    done(answer);
}

} // namespace sp::solve
