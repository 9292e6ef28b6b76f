#pragma once

#include "pcsetup/KeyMap.h"
#include "platform/FileDialogs.h"
#include "platform/Messages.h"

#include <functional>
#include <string_view>

namespace vantrel {

inline constexpr std::string_view corruptedFileMessage = "Corrupted File!";
inline constexpr std::string_view readFileErrorMessage = "Error occurred in ReadFile";
// The save dialog's own question before it overwrites a file; %1 is the file's name.
inline constexpr std::string_view overwriteQuestion =
    "%1 already exists.\nDo you want to replace it?";

// The page's label refresh: rewrites the labels of the slots that differ from the baseline.
using LabelRefresh = std::function<void()>;

// The Load Profile button. Replaces the key map in memory with the chosen file and refreshes the
// labels; the device is written only by a later SAVE. Any failure shows its box and leaves the
// key map and the labels as they were. Runs on the user-interface thread; blocks in the dialog
// and the boxes.
void loadProfile(KeyMap& keyMap, FileDialogs& dialogs, Messages& messages,
                 const LabelRefresh& refreshLabels);

// The Save As Profile button. Writes currentKeyMap to the chosen file, ".map" appended when the
// name lacks it; when that longer name is an existing file, the user is asked before it is
// replaced, as the dialog asks about the name it was given. Success shows nothing and changes
// nothing in memory or on the device. Runs on the user-interface thread; blocks in the dialog
// and the boxes.
void saveProfile(const KeyMap& keyMap, FileDialogs& dialogs, Messages& messages);

} // namespace vantrel
