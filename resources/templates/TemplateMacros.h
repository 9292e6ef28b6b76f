#pragma once

#include "resources/templates/DialogTemplate.h"

#include <array>
#include <string_view>

// What the lines of a layout file (*.def) mean in C++. Included inside a namespace of its own
// within vantrel, a layout file defines there `layout`, the DialogTemplate it describes. The
// Windows resource script gives the same lines its own meaning, so the layout files are the one
// source of both.
// clang-format off
#define TEMPLATE_DIALOG(dialogId, dialogCaption, dialogWidth, dialogHeight) \
    constexpr int id = dialogId; \
    constexpr std::string_view caption = dialogCaption; \
    constexpr int width = dialogWidth; \
    constexpr int height = dialogHeight; \
    constexpr std::array controls = {
#define TEMPLATE_CONTROL(id, kind, x, y, width, height, text, align, shown) \
    TemplateControl{id, ControlKind::kind, x, y, width, height, text, ControlAlign::align, \
                    ControlShown::shown},
// An icon control names its icon resource by number; its text is that number.
#define TEMPLATE_ICON(id, x, y, width, height, icon) \
    TemplateControl{id, ControlKind::Icon, x, y, width, height, #icon},
#define TEMPLATE_DEFAULT_BUTTON(id, x, y, width, height, text) \
    TemplateControl{id, ControlKind::Button, x, y, width, height, text},
#define TEMPLATE_END() \
    }; \
    constexpr DialogTemplate layout{id, caption, width, height, controls};
// clang-format on
