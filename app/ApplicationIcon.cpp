#include "app/ApplicationIcon.h"

#include <QDirIterator>

namespace vantrel {

QIcon applicationIcon() {
    QIcon icon;
    QDirIterator sizes(QStringLiteral(":/ICON/153"), QDir::Files);
    while (sizes.hasNext()) {
        icon.addFile(sizes.next());
    }
    return icon;
}

} // namespace vantrel
