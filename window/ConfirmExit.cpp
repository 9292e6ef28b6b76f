#include "window/ConfirmExit.h"

namespace vantrel {

ExitDecision ConfirmExit(SetupPage askingPage, bool deviceConnected, Messages& messages,
                         const ExitSettings& pcSettings, const ExitSettings& x360Settings) {
    if (!deviceConnected) {
        return ExitDecision::EndRun;
    }
    const ExitSettings& first = askingPage == SetupPage::Pc ? pcSettings : x360Settings;
    const ExitSettings& second = askingPage == SetupPage::Pc ? x360Settings : pcSettings;
    if (!first.changed() && !second.changed()) {
        return ExitDecision::EndRun;
    }
    switch (
        messages.show(saveOnExitQuestion, MessageButtons::YesNoCancel, MessageIcon::FromButtons)) {
    case MessageAnswer::Yes:
        for (const ExitSettings* settings : {&first, &second}) {
            if (settings->changed()) {
                settings->save();
            }
        }
        return ExitDecision::EndRun;
    case MessageAnswer::Cancel:
        return ExitDecision::GoOn;
    default:
        return ExitDecision::EndRun;
    }
}

} // namespace vantrel
