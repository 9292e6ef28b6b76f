#pragma once

#include "platform/Messages.h"

namespace vantrel {

class UiBridge;

// Message boxes as the host shows them, titled with the program file's name. The monitor's
// messages cross to the user-interface thread, and its wait ends when the bridge closes.
class QtMessages : public Messages {
public:
    explicit QtMessages(UiBridge& bridge);

    MessageAnswer show(std::string_view text, MessageButtons buttons, MessageIcon icon) override;

private:
    UiBridge& bridge_;
};

} // namespace vantrel
