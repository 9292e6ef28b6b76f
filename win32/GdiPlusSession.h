#pragma once

#include <cstdint>

namespace vantrel {

// GDI+ for the length of the run: started when made, shut down when destroyed. Every picture
// decode and every text drawn needs one.
class GdiPlusSession {
public:
    GdiPlusSession();
    ~GdiPlusSession();
    GdiPlusSession(const GdiPlusSession&) = delete;
    GdiPlusSession& operator=(const GdiPlusSession&) = delete;

private:
    std::uintptr_t token_ = 0;
};

} // namespace vantrel
