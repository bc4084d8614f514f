// Shows one chart widget over real data in a window of its own, to look at under Xvfb:
//   chart_views_demo capacity|resistance|space
#include "charts/capacitychartview.h"
#include "charts/designspacechartview.h"
#include "charts/resistancechartview.h"

#include "optimisetestsupport.h"

#include "module2/module2calc.h"
#include "optimise/optimisepage.h"

#include <QApplication>
#include <QCursor>
#include <QImage>
#include <QPainter>
#include <QTimer>

using namespace sp;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString which = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("capacity");
    optimise::OptimisePage page;
    std::unique_ptr<QWidget> view;
    if (which == QLatin1String("resistance")) {
        module2::Inputs in;
        const char* rows[][4] = {{"1.0", "中风化", "较破碎", "10"}, {"2.0", "微风化", "完整", "40"},
                                 {"0.5", "中风化", "较完整", "20"}};
        in.grid.setLayerCount(3);
        for (int i = 1; i <= 3; ++i) {
            in.grid.setCell(i, module2::kColLr, rows[i - 1][0]);
            in.grid.setCell(i, module2::kColWeathering, rows[i - 1][1]);
            in.grid.setCell(i, module2::kColIntegrity, rows[i - 1][2]);
            in.grid.setCell(i, module2::kColFrk, rows[i - 1][3]);
            for (int c : {module2::kColKv, module2::kColC1, module2::kColC2, module2::kColQpk, module2::kColQsrk})
                in.grid.setCell(i, c, "");
        }
        auto v = std::make_unique<gui::ResistanceChartView>();
        v->setBars(charts::resistanceBars(module2::calculate(in)));
        view = std::move(v);
    } else if (which == QLatin1String("paint") && argc > 2) {
        // The capacity chart painted into a rectangle of an A4-like page, written to argv[2].
        module1::Inputs in;
        in.section = core::SectionType::Round;
        in.d = "1150";
        in.c = "0";
        in.hr = "2.0d";
        in.frk = "10";
        in.integrity = "完整";
        QImage page(1240, 1754, QImage::Format_RGB32);
        page.fill(Qt::white);
        QPainter painter(&page);
        painter.drawRect(QRect(100, 200, 1040, 640).adjusted(-1, -1, 0, 0));
        gui::paintCapacityChart(painter, QRectF(100, 200, 1040, 640), charts::capacityCurve(in));
        painter.end();
        return page.save(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
    } else if (which == QLatin1String("space3")) {
        page = optimise::OptimisePage(optimise::ModuleKind::Module3);
        page.run(core::kDefaultPrecision);
        auto v = std::make_unique<gui::DesignSpaceChartView>();
        v->resize(1300, 700);
        v->setSpace(charts::designSpace(page), &page.visibleTable());
        view = std::move(v);
    } else if (which == QLatin1String("space")) {
        using namespace optimise;
        test::editRows(page, {{kRowSection, {"1", "1", "1"}},
                              {kRowDiameter, {"800", "2000", "100"}},
                              {kRowDepth, {"1.0d", "4.0d", "0.5d"}},
                              {kRowFrk, {"20", "50", "10"}},
                              {kRowBasis, {"1", "1", "1"}},
                              {kRowClass, {"1", "1", "1"}},
                              {kRowGrade, {"C30", "C30", "5"}},
                              {kRowProcess, {"2", "2", "2"}},
                              {kRowFilterRa, {"12000", "16000"}},
                              {kRowFilterRc, {"", ""}}});
        page.run(core::kDefaultPrecision);
        auto v = std::make_unique<gui::DesignSpaceChartView>();
        v->resize(1300, 700);
        v->setSpace(charts::designSpace(page), &page.visibleTable());
        view = std::move(v);
    } else {
        module1::Inputs in;
        in.section = core::SectionType::Round;
        in.d = argc > 2 ? "1500" : "1150";
        in.c = "0";
        in.hr = "2.0d";
        in.frk = argc > 2 ? "40" : "10";
        in.integrity = argc > 2 ? "较破碎" : "完整";
        charts::CurveRequest request;
        request.raRequired = 4000.0;
        request.axialForce = 9000.0;
        auto v = std::make_unique<gui::CapacityChartView>();
        v->setCurve(charts::capacityCurve(in, request));
        view = std::move(v);
    }
    view->setWindowTitle(which);
    view->resize(1300, 700);
    view->move(0, 0);
    view->show();
    // "hover": the pointer goes to the cheapest candidate, to see its tooltip.
    if (auto* space = qobject_cast<gui::DesignSpaceChartView*>(view.get());
        space && argc > 2 && space->space().cheapest)
        QTimer::singleShot(1000, space, [space] {
            const QPointF at = space->positionOfRow(*space->space().cheapest);
            QCursor::setPos(space->viewport()->mapToGlobal(at.toPoint() + QPoint(1, 1)));
        });
    return app.exec();
}
