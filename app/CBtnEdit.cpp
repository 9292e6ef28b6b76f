#include "app/CBtnEdit.h"

#include <QKeyEvent>

namespace vantrel {

void CBtnEdit::keyPressEvent(QKeyEvent* event) {
    if (!event->text().isEmpty() && event->text().at(0).isPrint()) {
        clear();
    }
    QLineEdit::keyPressEvent(event);
}

} // namespace vantrel
