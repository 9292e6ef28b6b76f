#pragma once

#include "skin/AccessibleItem.h"
#include "window/PageShell.h"

#include <array>
#include <string_view>
#include <vector>

namespace vantrel {

inline constexpr std::string_view pcTabName = "PC Setup";
inline constexpr std::string_view x360TabName = "XBox 360 Setup";
inline constexpr std::string_view pageTabsName = "Setup pages";

// The tab strip that each page's background draws with the page's own tab selected: a list
// holding the two tabs, each acting as a click on its header does.
inline void appendPageTabs(std::vector<AccessibleItem>& items, const PageShell& shell,
                           SetupPage shown) {
    const std::array<PixelRect, 2> areas = {shell.tabArea(SetupPage::Pc),
                                            shell.tabArea(SetupPage::X360)};
    const int list = static_cast<int>(items.size());
    items.emplace_back(AccessibleRole::PageTabList, std::string(pageTabsName), boundingRect(areas));
    for (const SetupPage page : {SetupPage::Pc, SetupPage::X360}) {
        AccessibleItem& tab = items.emplace_back(
            AccessibleRole::PageTab, std::string(page == SetupPage::Pc ? pcTabName : x360TabName),
            areas[page == SetupPage::Pc ? 0 : 1]);
        tab.states.selected = page == shown;
        tab.hasAction = true;
        tab.parent = list;
    }
}

} // namespace vantrel
