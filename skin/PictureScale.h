#pragma once

namespace vantrel {

// The pictures a screen of this device pixel ratio is drawn from: the standard ones, or those
// with twice the pixels each way, so that between 1.25 and 2 every picture holds at least as many
// pixels as the screen area it covers.
constexpr int pictureScaleFor(double devicePixelRatio) {
    return devicePixelRatio > 1.0 ? 2 : 1;
}

} // namespace vantrel
