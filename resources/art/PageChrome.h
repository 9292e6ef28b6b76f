#pragma once

class QPainter;

// What both backgrounds share: the backdrop, the tab strip with the page's own tab selected, the
// title line and the maker's line at the bottom left.
namespace vantrel::art {

enum class Page { PcSetup, X360Setup };

void drawPageChrome(QPainter& painter, Page page);

} // namespace vantrel::art
