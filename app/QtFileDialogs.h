#pragma once

#include "platform/FileDialogs.h"

class QWidget;

namespace vantrel {

// The host's file dialogs for profile files: one filter, no default extension, and a question
// before an existing file is overwritten.
class QtFileDialogs : public FileDialogs {
public:
    explicit QtFileDialogs(QWidget* parent);

    std::optional<std::filesystem::path> choosePathToOpen() override;
    std::optional<std::filesystem::path> choosePathToSave() override;

    void setParent(QWidget* parent) { parent_ = parent; }

private:
    QWidget* parent_;
};

} // namespace vantrel
