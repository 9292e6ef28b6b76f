#include "app/CVantrelConfigApp.h"

#include "app/Program.h"
#include "app/QtMainWindow.h"
#include "app/SingleInstance.h"

namespace vantrel {

int CVantrelConfigApp::InitInstance() {
    if (SingleInstance::bringRunningCopyToFront()) {
        return 0;
    }
    Program program;
    program.start();
    program.window().exec();
    return 0;
}

} // namespace vantrel
