#pragma once
// "反算": the small dialog a module window opens to ask what the pile has to carry — Ra,req, the
// optional design axial force N (modules 1 and 3), the step of the search and the least socket it
// may propose — before it looks for the least socket depth (module 2: the least length of the
// bottom rock layer). Bad numbers
// are refused in the dialog itself, with the reason beside the fields; it closes only on numbers
// the solver can take. For a round pile it also offers the least diameter.

#include "solve/depthsolver.h"

#include <QDialog>
#include <QString>

#include <optional>
#include <variant>

class QLabel;
class QLineEdit;
class QPushButton;

namespace sp::solve {

// What the engineer asked for: the target (with the least socket) and the step in mm.
struct SolveRequest {
    Target target;
    long long step = kDefaultStep;
};

// Reads the dialog's four texts (`n` is not read when `withN` is false): the request, or the
// reason the numbers are refused.
std::variant<SolveRequest, QString> readRequest(const QString& ra, const QString& n, const QString& step,
                                                const QString& minDepth, bool withN);

class SolveDialog : public QDialog {
    Q_OBJECT
public:
    // What is solved for: the socket depth hr (modules 1 and 3) or the bottom layer's length lri.
    enum class Form { SocketDepth, BottomLayer };
    // How the dialog closed besides QDialog::Rejected.
    enum Answer { LeastDepth = 1, LeastDiameter = 2 };

    // `offerDiameter`: a round pile, whose least diameter can be asked for too.
    SolveDialog(Form form, bool offerDiameter, QWidget* parent = nullptr);

    // The numbers the dialog was closed with; nothing while they are refused or were never given.
    const std::optional<SolveRequest>& request() const { return m_request; }
    // The reason the last numbers were refused; empty when they were taken.
    QString refusal() const;

private:
    void finish(Answer answer);

    Form m_form;
    QLineEdit* m_ra = nullptr;
    QLineEdit* m_n = nullptr;
    QLineEdit* m_step = nullptr;
    QLineEdit* m_minDepth = nullptr;
    QLabel* m_error = nullptr;
    std::optional<SolveRequest> m_request;
};

} // namespace sp::solve
