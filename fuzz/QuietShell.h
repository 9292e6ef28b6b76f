#pragma once

#include "resources/templates/DialogTemplate.h"
#include "window/PageShell.h"

namespace vantrel::fuzz {

// The main window as a page sees it, with no device connected: the tab headers where the main
// window's layout puts them, and every request only counted.
class QuietShell : public PageShell {
public:
    PixelRect tabArea(SetupPage page) const override {
        // The main window's controls over its two tab headers.
        return controlRect(dialogTemplate(MAIN_DIALOG), page == SetupPage::Pc ? 1029 : 1030);
    }
    void switchTo(SetupPage) override { ++switches; }
    bool passesSaveGuard() override {
        ++saveGuards;
        return false;
    }
    void confirmExit(SetupPage) override { ++exits; }

    int switches = 0;
    int saveGuards = 0;
    int exits = 0;
};

} // namespace vantrel::fuzz
