#pragma once

#include <QLineEdit>

namespace vantrel {

// The label place-holder of the PC Setup page: an edit field that never holds more than one
// character, because each typed character first empties it. The page only takes its rectangle.
class CBtnEdit : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace vantrel
