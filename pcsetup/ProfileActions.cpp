#include "pcsetup/ProfileActions.h"

#include "pcsetup/ProfileFile.h"

#include <string>
#include <system_error>

namespace vantrel {

namespace {

constexpr std::string_view pathPlaceholder = "%1";

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

// The dialog asked about the name as the user gave it. The name with ".map" added is another
// file, which it never saw: the user is asked about that one in the dialog's own words.
bool mayWrite(const std::filesystem::path& chosen, const std::filesystem::path& path,
              Messages& messages) {
    std::error_code error;
    if (path == chosen || !std::filesystem::exists(path, error)) {
        return true;
    }
    std::string question(overwriteQuestion);
    const std::u8string name = path.filename().u8string();
    question.replace(question.find(pathPlaceholder), pathPlaceholder.size(),
                     std::string(name.begin(), name.end()));
    return messages.show(question, MessageButtons::YesNo, MessageIcon::Exclamation) ==
           MessageAnswer::Yes;
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
    if (!mayWrite(*chosen, path, messages)) {
        return;
    }
    if (const std::optional<FileErrorCause> failure =
            writeProfileFile(path, keyMap.currentKeyMap())) {
        showFileError(messages, *failure, path);
    }
}

} // namespace vantrel
