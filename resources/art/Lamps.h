#pragma once

#include <QImage>

namespace vantrel::art {

// The lit lamp overlays: sensitivity level 0 (Low) to 2 (High), firing step 0 (2 per second)
// to 8 (10 per second). Only the lamp is drawn, the rest is transparent.
QImage litSensitivityLamp(int level);
QImage litFiringLamp(int step);

} // namespace vantrel::art
