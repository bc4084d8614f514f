// How the windows fit their user: Qt's own texts in Chinese, module windows that open at their
// design size yet may be resized (and fit a short screen), and table columns wide enough for the
// widest texts they hold.

#include "charts/capacitycurve.h"
#include "charts/chartwindow.h"
#include "core/text.h"
#include "frame/filedialoglocale.h"
#include "frame/translations.h"
#include "guitest.h"
#include "module2/rocklayergrid.h"
#include "solve/solvedialog.h"
#include "windows/module1window.h"
#include "windows/module2window.h"
#include "windows/module3window.h"

#include <QAbstractProxyModel>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QStyle>
#include <QTableView>
#include <QTableWidget>

#include <algorithm>
#include <memory>

using namespace sp;

namespace {

std::unique_ptr<frame::ModuleWindow> makeModule(int module) {
    switch (module) {
    case 1:
        return std::make_unique<module1::Module1Window>();
    case 2:
        return std::make_unique<module2::Module2Window>();
    default:
        return std::make_unique<module3::Module3Window>();
    }
}

// The room a cell's text has in a view: the column less the item view's text margins.
int textRoom(const QAbstractItemView& view, int width) {
    return width - 2 * (view.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &view) + 1);
}

// The widget is shown whole: inside the window and not clipped by a scrolling parent.
bool wholeInView(const QWidget* widget, const QWidget& window) {
    if (!widget || !widget->isVisible())
        return false;
    const QRect inWindow(widget->mapTo(&window, QPoint(0, 0)), widget->size());
    return window.rect().contains(inWindow) && widget->visibleRegion() == QRegion(widget->rect());
}

// The controls a layer must show whole, by their names.
void verifyWhole(const QWidget& window, const QStringList& names) {
    for (const QString& name : names) {
        const auto* widget = window.findChild<QWidget*>(name);
        QVERIFY2(widget, qPrintable(name));
        QTRY_VERIFY2(wholeInView(widget, window), qPrintable(name));
    }
}

// The design heights of the module windows.
int designHeight(int module) {
    return module == 1 ? 764 : 800;
}

QStringList actionTexts(const QMenu& menu) {
    QStringList texts;
    for (const QAction* action : menu.actions())
        if (!action->isSeparator())
            texts << action->text();
    return texts;
}

} // namespace

class WindowFitTest : public QObject {
    Q_OBJECT
private slots:
    void toolkitTextsAreChinese_data() {
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("text");
        QTest::newRow("ok") << int(QDialogButtonBox::Ok) << QStringLiteral("确定");
        QTest::newRow("cancel") << int(QDialogButtonBox::Cancel) << QStringLiteral("取消");
        QTest::newRow("yes") << int(QDialogButtonBox::Yes) << QStringLiteral("是");
        QTest::newRow("no") << int(QDialogButtonBox::No) << QStringLiteral("否");
    }
    void toolkitTextsAreChinese() {
        QFETCH(int, button);
        QFETCH(QString, text);
        QVERIFY(frame::loadToolkitTranslations(*qApp));
        QDialogButtonBox box(static_cast<QDialogButtonBox::StandardButton>(button));
        const QString shown = box.button(static_cast<QDialogButtonBox::StandardButton>(button))->text();
        QCOMPARE(shown.left(text.size()), text);
    }

    void editMenusAreChinese() {
        QVERIFY(frame::loadToolkitTranslations(*qApp));
        QLineEdit field(QStringLiteral("8456"));
        std::unique_ptr<QMenu> menu(field.createStandardContextMenu());
        const QStringList texts = actionTexts(*menu);
        auto has = [&texts](const QString& start) {
            return std::any_of(texts.begin(), texts.end(), [&start](const QString& t) { return t.startsWith(start); });
        };
        QVERIFY2(has(QStringLiteral("复制")), qPrintable(texts.join(QLatin1Char('|'))));
        QVERIFY2(has(QStringLiteral("全选")), qPrintable(texts.join(QLatin1Char('|'))));
    }

    // The program's locale is Chinese whatever the system's: the default locale, and the sizes
    // and dates of the toolkit's file dialog, which would otherwise follow the system's ("11 Dec",
    // "0 bytes").
    void fileDialogsWriteSizesAndDatesInChinese() {
        const QLocale before;
        QVERIFY(frame::useProgramLocale(*qApp));
        QCOMPARE(QLocale().name(), QStringLiteral("zh_CN"));
        QTemporaryDir folder;
        QFile file(folder.filePath(QStringLiteral("site.sppile")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("12345");
        file.close();
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("sub")));

        QFileDialog dialog(nullptr, QStringLiteral("打开项目"), folder.path());
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.show();
        auto* model = dynamic_cast<QAbstractProxyModel*>(dialog.proxyModel());
        QVERIFY(dynamic_cast<frame::FileDialogLocale::Model*>(model));
        auto* files = qobject_cast<QFileSystemModel*>(model->sourceModel());
        QVERIFY(files);
        const QModelIndex site = model->mapFromSource(files->index(file.fileName()));
        const QModelIndex sub = model->mapFromSource(files->index(folder.filePath(QStringLiteral("sub"))));
        QVERIFY(site.isValid() && sub.isValid());
        const QLocale chinese(QLocale::Chinese, QLocale::China);
        QTRY_COMPARE(site.siblingAtColumn(1).data().toString(), chinese.formattedDataSize(5));
        QCOMPARE(site.siblingAtColumn(3).data().toString(),
                 chinese.toString(QFileInfo(file.fileName()).lastModified(), QLocale::ShortFormat));
        QVERIFY(site.siblingAtColumn(1).data().toString() != QLocale::c().formattedDataSize(5));
        QCOMPARE(sub.siblingAtColumn(1).data().toString(), QString()); // a folder has no size
        QCOMPARE(site.data().toString(), QStringLiteral("site.sppile"));
        dialog.close();
        QLocale::setDefault(before);
    }

    // Each module window says which module it is: its name after the title all three share, and
    // under the heading; module 3 says in words that it is for research.
    void eachModuleNamesItself_data() {
        QTest::addColumn<int>("module");
        QTest::addColumn<QString>("name");
        QTest::newRow("module 1") << 1 << QStringLiteral("侧阻端阻综合计算(单层基岩)");
        QTest::newRow("module 2") << 2 << QStringLiteral("侧阻端阻分解计算(多层基岩)");
        QTest::newRow("module 3") << 3 << QStringLiteral("侧阻端阻综合计算(拓展研究，仅供研究)");
    }
    void eachModuleNamesItself() {
        QFETCH(int, module);
        QFETCH(QString, name);
        test::AnyWindowFixture f(makeModule(module));
        if (module == 3)
            f.click("cbt_tongyi");
        QCOMPARE(f.window.windowTitle(), QStringLiteral("嵌岩桩承载力计算 (DBJ52/T088-2018) — ") + name);
        QCOMPARE(f.get<QLabel>("lb_cxm")->text(), QStringLiteral("嵌岩桩承载力计算"));
        auto* heading = f.get<QLabel>("lb_mokuai");
        QCOMPARE(heading->text(), name);
        QVERIFY(heading->isVisible());
    }

    void opensAtTheDesignSizeWhereTheScreenHoldsIt_data() {
        QTest::addColumn<QSize>("design");
        QTest::addColumn<QSize>("available");
        QTest::addColumn<QSize>("opening");
        QTest::newRow("large screen") << QSize(370, 764) << QSize(1920, 1040) << QSize(370, 764);
        QTest::newRow("just enough") << QSize(370, 800) << QSize(1366, 840) << QSize(370, 800);
        QTest::newRow("laptop with a panel") << QSize(370, 800) << QSize(1366, 728) << QSize(370, 688);
        QTest::newRow("720 high") << QSize(370, 764) << QSize(1280, 720) << QSize(370, 680);
        QTest::newRow("narrow and short") << QSize(370, 764) << QSize(360, 600) << QSize(370, 560);
    }
    void opensAtTheDesignSizeWhereTheScreenHoldsIt() {
        QFETCH(QSize, design);
        QFETCH(QSize, available);
        QFETCH(QSize, opening);
        QCOMPARE(frame::ModuleWindow::openingSize(design, available), opening);
    }

    void windowsResizeAndFitAShortScreen_data() {
        QTest::addColumn<int>("module");
        QTest::newRow("module 1") << 1;
        QTest::newRow("module 2") << 2;
        QTest::newRow("module 3") << 3;
    }
    void windowsResizeAndFitAShortScreen() {
        QFETCH(int, module);
        test::AnyWindowFixture f(makeModule(module));
        if (module == 3)
            f.click("cbt_tongyi"); // past the warning to the inputs
        // A 720-pixel screen less a title bar of 40.
        const int shortHeight = 680;
        QVERIFY(f.window.minimumSize() != f.window.maximumSize());
        QVERIFY2(f.window.minimumHeight() <= shortHeight, qPrintable(QString::number(f.window.minimumHeight())));
        QVERIFY2(f.window.minimumSizeHint().height() <= shortHeight,
                 qPrintable(QString::number(f.window.minimumSizeHint().height())));
        f.window.resize(370, shortHeight);
        QTRY_COMPARE(f.window.size(), QSize(370, shortHeight));
        // The inputs stay reachable: the input layer scrolls within the shorter window.
        auto* compute = f.button("cbt_compute");
        QVERIFY(compute);
        auto* scroll = f.get<QScrollArea>("MainFormScroll");
        QVERIFY(scroll);
        scroll->ensureWidgetVisible(compute);
        QCOMPARE(scroll->horizontalScrollBar()->maximum(), 0);
        const QPoint at = compute->mapTo(&f.window, QPoint(0, compute->height()));
        QVERIFY2(at.y() <= shortHeight, qPrintable(QString::number(at.y())));
    }

    // A laptop's screen: every layer of every module window opens with its buttons and its status
    // line whole, the inputs scrolling above them when they must; after "计算" the results are in view.
    void layersKeepTheirButtonsInViewOnALaptop_data() {
        QTest::addColumn<int>("module");
        QTest::addColumn<QSize>("screen");
        for (int module = 1; module <= 3; ++module)
            for (const QSize screen : {QSize(1366, 768), QSize(1280, 720)})
                QTest::addRow("module %d, %dx%d", module, screen.width(), screen.height())
                    << module << screen;
    }
    void layersKeepTheirButtonsInViewOnALaptop() {
        QFETCH(int, module);
        QFETCH(QSize, screen);
        // The room a desktop's title bar and panel take.
        const int allowance = 40;
        const QSize opening = frame::ModuleWindow::openingSize({370, designHeight(module)}, screen);
        QVERIFY(opening.height() <= screen.height() - allowance);
        test::AnyWindowFixture f(makeModule(module));
        f.window.resize(opening);
        QTRY_COMPARE(f.window.size(), opening);
        if (module == 3) {
            verifyWhole(f.window, {QStringLiteral("cbt_tongyi"), QStringLiteral("cbt_butongyi")});
            f.click("cbt_tongyi");
        }
        verifyWhole(f.window, {QStringLiteral("cbt_compute"), QStringLiteral("cbt_YouHua"),
                               QStringLiteral("cbt_tuichu"), QStringLiteral("img_logo")});
        // Nothing of the inputs is cut at the right beside the scroll bar: the layer, its groups
        // and their fields are as wide as the room the scroll area has, or narrower.
        auto* scroll = f.get<QScrollArea>("MainFormScroll");
        QTRY_VERIFY2(
            scroll->widget()->width() <= scroll->viewport()->width(),
            qPrintable(
                QStringLiteral("%1 > %2").arg(scroll->widget()->width()).arg(scroll->viewport()->width())));
        for (QWidget* field : scroll->widget()->findChildren<QWidget*>()) {
            if (!field->isVisible() || !(qobject_cast<QComboBox*>(field) || qobject_cast<QLineEdit*>(field) ||
                                         qobject_cast<QGroupBox*>(field)))
                continue;
            QVERIFY2(field->geometry().right() < field->parentWidget()->width(),
                     qPrintable(field->objectName()));
            const int right = field->mapTo(scroll->viewport(), QPoint(field->width(), 0)).x();
            QVERIFY2(right <= scroll->viewport()->width(), qPrintable(field->objectName()));
        }
        f.type("cbe_dd", QStringLiteral("0")); // a check that stops: the status line shows
        f.click("cbt_compute");
        verifyWhole(f.window, {QStringLiteral("lb_shuoming")});
        f.type("cbe_dd", QStringLiteral("1000"));
        f.click("cbt_compute");
        verifyWhole(f.window, {QStringLiteral("cbt_View"), QStringLiteral("gpb_jisuanjieguo")});

        f.click("cbt_View");
        verifyWhole(f.window,
                    {QStringLiteral("cbt_Exit"), QStringLiteral("cbt_Save"), QStringLiteral("cbt_SaveAs"),
                     QStringLiteral("cbt_sanchu"), QStringLiteral("cbt_ExportPdf"),
                     QStringLiteral("cbt_Print"), QStringLiteral("cbt_ExportExcel"),
                     QStringLiteral("tcb_meoFontSize"), QStringLiteral("cbt_PageBook")});
        f.click("cbt_Exit");

        f.click("cbt_YouHua");
        verifyWhole(f.window, {QStringLiteral("cbt_YHchart"), QStringLiteral("cbt_zhangkai"),
                               QStringLiteral("cbt_YHexportExcel"), QStringLiteral("cbt_YHcompute"),
                               QStringLiteral("cbt_YHsaixuan"), QStringLiteral("cbt_YHsave"),
                               QStringLiteral("cbt_YHfanhui"), QStringLiteral("lb_YHxingxi")});
    }

    // The windows a module window opens beside it fit the smaller laptop's screen too.
    void dialogsFitALaptop() {
        const QSize room(1280, 720 - 40);
        solve::SolveDialog depth(solve::SolveDialog::Form::SocketDepth, true);
        solve::SolveDialog layer(solve::SolveDialog::Form::BottomLayer, false);
        gui::ChartWindow chart({});
        chart.showCapacity(charts::capacityCurve(module1::Inputs{}));
        for (QWidget* window : std::initializer_list<QWidget*>{&depth, &layer, &chart}) {
            window->show();
            QVERIFY2(room.expandedTo(window->size()) == room, window->metaObject()->className());
            QVERIFY(room.expandedTo(window->minimumSizeHint()) == room);
        }
    }

    // The table page lines up: in the views' font a CJK character takes exactly two Latin columns
    // at every size of the slider, so that a row with "完整" is as wide as its columns say, as one
    // with "较完整" is.
    void tablePageColumnsLineUp() {
        test::WindowFixture<module1::Module1Window> f;
        f.click("cbt_compute");
        f.type("cbe_yswzcd", QStringLiteral("完整"));
        f.click("cbt_compute");
        f.click("cbt_View");
        f.click("cbt_PageBook");
        auto* table = f.get<QPlainTextEdit>("meo_jisuanjieguo_Xls");
        QVERIFY(table->isVisible());
        const QStringList lines = table->toPlainText().split(QLatin1Char('\n'));
        auto plainColumns = [](const QString& line) {
            return std::all_of(line.begin(), line.end(), [](QChar c) {
                return c.unicode() < 0x80 || (c.unicode() >= 0x1000 && c.unicode() <= 0x9FA5);
            });
        };
        const QFont atStart = table->font();
        QCOMPARE(QFontMetrics(atStart).horizontalAdvance(QChar(0x5B8C)),
                 2 * QFontMetrics(atStart).horizontalAdvance(QLatin1Char('0')));
        auto* slider = f.get<QSlider>("tcb_meoFontSize");
        for (int size = slider->minimum(); size <= slider->maximum(); ++size) {
            slider->setValue(size);
            const QFontMetricsF metrics(table->font());
            const qreal column = metrics.horizontalAdvance(QLatin1Char('0'));
            QCOMPARE(metrics.horizontalAdvance(QChar(0x5B8C)), 2 * column);
            int rowsWithIntact = 0;
            for (const QString& line : lines) {
                if (!plainColumns(line))
                    continue;
                rowsWithIntact += line.contains(QStringLiteral(" 完整 ")) ? 1 : 0;
                QVERIFY2(metrics.horizontalAdvance(line) == core::DisplayWidth(line.toStdString()) * column,
                         qPrintable(QStringLiteral("%1 px: %2").arg(size).arg(line)));
            }
            QCOMPARE(rowsWithIntact, 1);
        }
    }

    void aWiderWindowShowsTheBookWhole() {
        test::WindowFixture<module1::Module1Window> f;
        f.click("cbt_compute");
        f.click("cbt_View");
        auto* book = f.get<QPlainTextEdit>("meo_jisuanjieguo_Doc");
        const int narrow = book->width();
        f.window.resize(900, 764);
        QTRY_COMPARE(f.window.width(), 900);
        QTRY_VERIFY(book->width() >= narrow + 900 - 370);
        QCOMPARE(book->horizontalScrollBar()->maximum(), 0);
    }

    void resultColumnsHoldTheirWidestTexts_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("widest");
        QTest::newRow("candidate number") << 0 << QStringLiteral("ZH-10000000");
        QTest::newRow("d") << 2 << QStringLiteral("10000.00");
        QTest::newRow("Ra") << 4 << QStringLiteral("128029.99");
        QTest::newRow("Rc") << 5 << QStringLiteral("128029.99");
    }
    void resultColumnsHoldTheirWidestTexts() {
        QFETCH(int, column);
        QFETCH(QString, widest);
        test::WindowFixture<module1::Module1Window> f;
        for (const char* name : {"Grid2_Youhuajieguo", "Grid3_Youhuasaixuan"}) {
            auto* view = f.get<QTableView>(name);
            QVERIFY(view);
            QVERIFY2(QFontMetrics(view->font()).horizontalAdvance(widest) <= textRoom(*view, view->columnWidth(column)),
                     name);
        }
    }

    void sortedHeadersFitTheirColumns() {
        test::WindowFixture<module1::Module1Window> f;
        f.click("cbt_YouHua");
        f.click("cbt_YHcompute");
        QTRY_COMPARE(f.get<QLabel>("lb_YHxingxi")->text(), QStringLiteral("计算完成，桩数：3456 根"));
        auto* view = f.get<QTableView>("Grid2_Youhuajieguo");
        QHeaderView* header = view->horizontalHeader();
        const int raSection = 4;
        for (const QString& mark : {QStringLiteral("▲"), QStringLiteral("▼")}) {
            emit header->sectionClicked(raSection);
            const QString text = view->model()->headerData(raSection, Qt::Horizontal).toString();
            QVERIFY2(text.endsWith(mark), qPrintable(text));
            QVERIFY2(header->sectionSizeHint(raSection) <= view->columnWidth(raSection), qPrintable(text));
        }
        for (int column = 0; column < view->model()->columnCount(); ++column)
            QVERIFY2(header->sectionSizeHint(column) <= view->columnWidth(column), qPrintable(QString::number(column)));
    }

    void rockLayerHeadersAndValuesFit() {
        test::WindowFixture<module2::Module2Window> f;
        auto* grid = f.get<QTableWidget>("StringGrid_QB2");
        QVERIFY(grid);
        // Every column as it is when on show, whatever the settings hide.
        for (int column = 0; column < grid->columnCount(); ++column)
            grid->setColumnHidden(column, false);
        QHeaderView* header = grid->horizontalHeader();
        QCOMPARE(grid->horizontalHeaderItem(module2::kColFrk)->text(), QStringLiteral("   frk(MPa)"));
        for (int column = 0; column < grid->columnCount(); ++column) {
            QVERIFY2(header->sectionSizeHint(column) <= grid->columnWidth(column), qPrintable(QString::number(column)));
        }
        const QFontMetrics metrics(grid->font());
        for (int column : {module2::kColFrk, module2::kColQuk})
            QVERIFY(metrics.horizontalAdvance(QStringLiteral("16912.24")) <= textRoom(*grid, grid->columnWidth(column)));
    }
};

QTEST_MAIN(WindowFitTest)
#include "windowfit_test.moc"
