#pragma once

#include <QImage>

namespace vantrel::art {

// The highlight overlay of device key 0 to 13: the key lit green on the device picture, its
// callout in bold and its square framed, all else transparent.
QImage keyHighlight(int key);

} // namespace vantrel::art
