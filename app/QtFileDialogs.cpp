#include "app/QtFileDialogs.h"

#include <QFileDialog>
#include <QStringList>

namespace vantrel {

namespace {

// The filter is kept in the "description|pattern||" form; the host wants "description (pattern)".
QString hostFilter() {
    const QString filter = QString::fromUtf8(profileFileFilter.data(),
                                             static_cast<qsizetype>(profileFileFilter.size()));
    const QStringList parts = filter.split(QLatin1Char('|'));
    const QString description = parts.value(0);
    const QString pattern = parts.value(1);
    if (description.endsWith(QLatin1Char('(') + pattern + QLatin1Char(')'))) {
        return description;
    }
    return description + QStringLiteral(" (") + pattern + QLatin1Char(')');
}

std::optional<std::filesystem::path> run(QFileDialog& dialog) {
    dialog.setNameFilter(hostFilter());
    dialog.setDefaultSuffix(QString());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return std::filesystem::path(dialog.selectedFiles().constFirst().toStdString());
}

} // namespace

QtFileDialogs::QtFileDialogs(QWidget* parent) : parent_(parent) {
}

std::optional<std::filesystem::path> QtFileDialogs::choosePathToOpen() {
    QFileDialog dialog(parent_);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return run(dialog);
}

std::optional<std::filesystem::path> QtFileDialogs::choosePathToSave() {
    QFileDialog dialog(parent_);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    return run(dialog);
}

} // namespace vantrel
