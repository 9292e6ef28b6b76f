#pragma once

#include <QImage>

namespace vantrel::art {

// The 28 by 28 icon of XBox 360 button code 0 to 13: LS, LB, LT, the four directions, RT, RB,
// X, A, Y, B and RS, on the dark ground of the squares they rest in.
QImage buttonIcon(int code);

} // namespace vantrel::art
