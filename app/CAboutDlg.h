#pragma once

#include <QDialog>

namespace vantrel {

// The About box, laid out from its template; its OK button closes it.
class CAboutDlg : public QDialog {
public:
    explicit CAboutDlg(QWidget* parent);
};

} // namespace vantrel
