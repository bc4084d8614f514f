#pragma once
// The toolkit's own file dialog writes the sizes and dates of its files in the system's locale,
// whatever the program's ("11 Dec" on a machine without a Chinese locale). Installed on the
// application, this gives every such dialog, as it is first shown, a model that writes them in
// the program's locale (the application's default) like everything else it shows.

#include <QIdentityProxyModel>
#include <QObject>

namespace sp::frame {

class FileDialogLocale : public QObject {
public:
    // The dialog's file model with its size and date columns written in the default locale.
    class Model : public QIdentityProxyModel {
    public:
        using QIdentityProxyModel::QIdentityProxyModel;
        QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    };

    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace sp::frame
