#pragma once

#include <QByteArray>

#include <vector>

namespace vantrel::art {

struct IcoImage {
    int side;       // 1 to 256 pixels, square
    QByteArray png; // the image, PNG-encoded
};

// A Windows icon file holding the given images as PNG entries, the form icons of every size
// may take.
QByteArray icoFile(const std::vector<IcoImage>& images);

} // namespace vantrel::art
