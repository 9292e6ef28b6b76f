#include "pcsetup/ProfileActions.h"

#include "pcsetup/ProfileFile.h"

#include <string>
#include <system_error>

namespace vantrel {

namespace {

// The box names the file in full, whatever the dialog handed back.
std::string fullPathText(const std::filesystem::path& path) {
    std::error_code error;
    const std::filesystem::path full = std::filesystem::absolute(path, error);
    const std::u8string text = (error ? path : full).u8string();
    return {text.begin(), text.end()};
}

void showFileError(Messages& messages, FileErrorCause cause, const std::filesystem::path& path) {
    messages.show(fileErrorText(cause, fullPathText(path)), MessageButtons::Ok, MessageIcon::Stop);
}

} // namespace

void loadProfile(KeyMap& keyMap, FileDialogs& dialogs, Messages& messages,
                 const LabelRefresh& refreshLabels) {
    const std::optional<std::filesystem::path> chosen = dialogs.choosePathToOpen();
    if (!chosen) {
        return;
    }
    const ProfileReadResult result = readProfileFile(*chosen);
    switch (result.status) {
    case ProfileReadStatus::Read:
        keyMap.replaceWithProfile(result.keyMap);
        refreshLabels();
        return;
    case ProfileReadStatus::Corrupted:
        showOk(messages, corruptedFileMessage);
        return;
    case ProfileReadStatus::ReadShort:
        showOk(messages, readFileErrorMessage);
        return;
    case ProfileReadStatus::FileError:
        showFileError(messages, result.cause, *chosen);
        return;
    }
}

void saveProfile(const KeyMap& keyMap, FileDialogs& dialogs, Messages& messages) {
    const std::optional<std::filesystem::path> chosen = dialogs.choosePathToSave();
    if (!chosen) {
        return;
    }
    const std::filesystem::path path = profileSavePath(*chosen);
    if (const std::optional<FileErrorCause> failure =
            writeProfileFile(path, keyMap.currentKeyMap())) {
        showFileError(messages, *failure, path);
    }
}

} // namespace vantrel
