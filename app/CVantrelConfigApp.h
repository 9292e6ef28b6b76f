#pragma once

namespace vantrel {

// The application: refuses to run a second copy, then runs the main window with its two pages
// and the device monitor until the window closes, and stops everything in order.
class CVantrelConfigApp {
public:
    // The program's whole run; what it returns is the process's exit status.
    int InitInstance();
};

} // namespace vantrel
