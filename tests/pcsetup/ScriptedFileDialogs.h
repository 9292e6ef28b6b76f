#pragma once

#include "platform/FileDialogs.h"

namespace vantrel::test {

// Answers each dialog with the path the test set (nullopt: the user cancelled) and counts calls.
class ScriptedFileDialogs : public FileDialogs {
public:
    std::optional<std::filesystem::path> openAnswer;
    std::optional<std::filesystem::path> saveAnswer;
    int openCalls = 0;
    int saveCalls = 0;

    std::optional<std::filesystem::path> choosePathToOpen() override {
        ++openCalls;
        return openAnswer;
    }
    std::optional<std::filesystem::path> choosePathToSave() override {
        ++saveCalls;
        return saveAnswer;
    }
};

} // namespace vantrel::test
