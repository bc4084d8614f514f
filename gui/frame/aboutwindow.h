#pragma once
// The small non-modal "关于" window: the program's name, version and the standard it follows.

#include <QWidget>

namespace sp::frame {

class AboutWindow : public QWidget {
    Q_OBJECT
public:
    explicit AboutWindow(QWidget* parent = nullptr);
};

} // namespace sp::frame
