#include "app/CAboutDlg.h"

#include "app/ApplicationIcon.h"
#include "resources/templates/DialogTemplate.h"

#include <QLabel>
#include <QPushButton>

namespace vantrel {

CAboutDlg::CAboutDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
    const DialogTemplate& layout = dialogTemplate(ABOUT_DIALOG);
    constexpr int unit = PIXELS_PER_DIALOG_UNIT;
    setWindowTitle(
        QString::fromUtf8(layout.caption.data(), static_cast<qsizetype>(layout.caption.size())));
    setFixedSize(layout.width * unit, layout.height * unit);
    for (const TemplateControl& control : layout.controls) {
        const QRect rect(control.x * unit, control.y * unit, control.width * unit,
                         control.height * unit);
        const QString text =
            QString::fromUtf8(control.text.data(), static_cast<qsizetype>(control.text.size()));
        switch (control.kind) {
        case ControlKind::Icon: {
            auto* icon = new QLabel(this);
            icon->setPixmap(applicationIcon().pixmap(rect.size()));
            icon->setGeometry(rect);
            break;
        }
        case ControlKind::Button: {
            auto* ok = new QPushButton(text, this);
            ok->setGeometry(rect);
            ok->setDefault(true);
            connect(ok, &QPushButton::clicked, this, &QDialog::accept);
            break;
        }
        default: {
            auto* label = new QLabel(text, this);
            label->setGeometry(rect);
            break;
        }
        }
    }
}

} // namespace vantrel
