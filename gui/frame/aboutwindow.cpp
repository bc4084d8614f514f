#include "frame/aboutwindow.h"

#include <QLabel>
#include <QVBoxLayout>

namespace sp::frame {

AboutWindow::AboutWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("AboutWindow"));
    setWindowTitle(QStringLiteral("关于"));
    auto* layout = new QVBoxLayout(this);
    auto* name = new QLabel(QStringLiteral("SocketPile 嵌岩桩承载力计算"), this);
    QFont big = name->font();
    big.setPointSize(big.pointSize() + 4);
    big.setBold(true);
    name->setFont(big);
    layout->addWidget(name);
    layout->addWidget(new QLabel(QStringLiteral("版本 %1").arg(QStringLiteral(SOCKETPILE_VERSION)), this));
    layout->addWidget(new QLabel(
        QStringLiteral("依据《贵州省建筑桩基设计与施工技术规程》\n(DBJ 52/T088-2018) 计算嵌岩桩竖向承载力"), this));
    setFixedSize(sizeHint());
}

} // namespace sp::frame
