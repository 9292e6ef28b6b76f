#include "ctl/StatusCommand.h"

#include "ctl/CtlFailure.h"
#include "ctl/CtlReceiver.h"
#include "ctl/Json.h"
#include "device/DeviceProtocol.h"
#include "device/Quality.h"

#include <optional>

namespace vantrel::ctl {

int runStatus(const std::vector<std::string>& arguments, bool json, std::ostream& out) {
    if (!arguments.empty()) {
        throw usageError("status takes no arguments");
    }
    CtlMessages messages;
    CtlReceiver receiver(messages);
    if (!receiver.open()) {
        if (json) {
            out << "{\"receiver\":false}\n";
        } else {
            out << "receiver  not found\n";
        }
        return EXIT_FAILED;
    }
    std::int32_t reportMode = 0;
    receiver.check(receiver.link().queryMode(reportMode), "the mode query failed");
    std::optional<std::int32_t> quality;
    InputReport report{};
    if (reportMode == 1 && receiver.link().readReport(report)) {
        quality = qualityFromReport(report[REPORT_QUALITY_OFFSET]);
    }
    if (json) {
        out << "{\"receiver\":true,\"path\":" << jsonString(receiver.path())
            << ",\"reports\":" << (reportMode == 1 ? "true" : "false");
        if (quality) {
            out << ",\"quality\":" << *quality
                << ",\"qualityText\":" << jsonString(qualityText(*quality));
        }
        out << "}\n";
        return EXIT_DONE;
    }
    out << "receiver  found\n"
        << "path      " << receiver.path() << "\n"
        << "mode      " << (reportMode == 1 ? "sends input reports" : "sends no input reports")
        << "\n";
    if (quality) {
        out << "quality   " << *quality << " (" << qualityText(*quality) << ")\n";
    } else {
        out << "quality   none (no report)\n";
    }
    return EXIT_DONE;
}

} // namespace vantrel::ctl
