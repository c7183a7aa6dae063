#include "ui/qt_trash.h"

#include <QByteArray>
#include <QFile>

namespace vantor {

bool QtTrash::MoveToTrash(const std::string& nativePath) {
  return QFile::moveToTrash(QFile::decodeName(QByteArray::fromStdString(nativePath)));
}

}  // namespace vantor
