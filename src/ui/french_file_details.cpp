#include "french_file_details.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QIdentityProxyModel>
#include <QLocale>

namespace fractions {

namespace {

// The columns of the file system model's detail view.
constexpr int kSizeColumn = 1;
constexpr int kDateColumn = 3;

class FrenchFileDetails : public QIdentityProxyModel {
 public:
  using QIdentityProxyModel::QIdentityProxyModel;

  QVariant data(const QModelIndex& index, int role) const override {
    const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (role != Qt::DisplayRole || files == nullptr ||
        (index.column() != kSizeColumn && index.column() != kDateColumn)) {
      return QIdentityProxyModel::data(index, role);
    }
    const QModelIndex source = mapToSource(index);
    const QLocale french(QLocale::French, QLocale::France);
    if (index.column() == kDateColumn) {
      return french.toString(files->lastModified(source), QLocale::ShortFormat);
    }
    if (files->isDir(source)) {
      return QString();
    }
    const qint64 bytes = files->size(source);
    if (bytes < 2) {
      return QStringLiteral("%1 octet").arg(bytes);  // 0 and 1 are singular in French
    }
    return french.formattedDataSize(bytes, 1, QLocale::DataSizeTraditionalFormat);
  }
};

}  // namespace

void ShowFileDetailsInFrench(QFileDialog& dialog) {
  dialog.setProxyModel(new FrenchFileDetails(&dialog));
}

}  // namespace fractions
