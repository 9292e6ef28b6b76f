#pragma once

#include "device/MonitorPages.h"
#include "resources/templates/DialogTemplate.h"

namespace vantrel {

class DeviceLink;
class Messages;
class SkinResources;
struct MonitorState;

// What a page reaches of the main window that hosts it. Called on the user-interface thread.
class PageShell {
public:
    virtual ~PageShell() = default;

    // The area over a page's tab header, in the main window's client pixels, which are also the
    // pages' own: the pages lie at the client origin.
    virtual PixelRect tabArea(SetupPage page) const = 0;

    // Shows that page, hides the other and draws the shown one at once.
    virtual void switchTo(SetupPage page) = 0;

    // The first step of both SAVE buttons: false, after saying so, when no device is connected.
    virtual bool passesSaveGuard() = 0;

    // The EXIT of both pages: ends the program, asking first about unsaved changes.
    virtual void confirmExit(SetupPage askingPage) = 0;
};

// Everything a page works with besides its own state.
struct PageServices {
    Messages& messages;
    DeviceLink& link;
    MonitorState& monitor;
    PageShell& shell;
    SkinResources& resources;
};

} // namespace vantrel
