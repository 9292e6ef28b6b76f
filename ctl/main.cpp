// vantrelctl: the Vantrel's settings from a shell. See `vantrelctl --help`.
#include "ctl/CtlCommand.h"
#include "ctl/CtlFailure.h"

#include <exception>
#include <iostream>

int main(int argc, char** argv) {
    using namespace vantrel::ctl;
    try {
        const CtlCommand command = parseCommandLine({argv + 1, argv + argc});
        return runCommand(command, std::cout);
    } catch (const CtlFailure& failed) {
        std::cout.flush();
        std::cerr << "vantrelctl: " << failed.message << std::endl;
        return failed.status;
    } catch (const std::exception& error) {
        std::cerr << "vantrelctl: " << error.what() << std::endl;
        return EXIT_FAILED;
    }
}
