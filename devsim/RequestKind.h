#pragma once

namespace vantrel::devsim {

// What a request block asks for, as its control code and command word say together.
enum class RequestKind { Query, Read, Write, Unknown };

} // namespace vantrel::devsim
