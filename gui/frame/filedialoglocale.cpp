#include "frame/filedialoglocale.h"

#include <QEvent>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLocale>

namespace sp::frame {

namespace {

// The columns of the dialog's file model.
constexpr int kSizeColumn = 1;
constexpr int kDateColumn = 3;

} // namespace

QVariant FileDialogLocale::Model::data(const QModelIndex& index, int role) const {
    const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (role != Qt::DisplayRole || !files || (index.column() != kSizeColumn && index.column() != kDateColumn))
        return QIdentityProxyModel::data(index, role);
    const QModelIndex source = mapToSource(index);
    if (index.column() == kSizeColumn)
        return files->isDir(source) ? QString() : QLocale().formattedDataSize(files->size(source));
    return QLocale().toString(files->lastModified(source), QLocale::ShortFormat);
}

bool FileDialogLocale::eventFilter(QObject* watched, QEvent* event) {
    // Before the dialog is first drawn; the model is set once.
    if (event->type() == QEvent::Polish)
        if (auto* dialog = qobject_cast<QFileDialog*>(watched);
            dialog && !dynamic_cast<Model*>(dialog->proxyModel()))
            dialog->setProxyModel(new Model(dialog));
    return QObject::eventFilter(watched, event);
}

} // namespace sp::frame
