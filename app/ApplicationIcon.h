#pragma once

#include <QIcon>

namespace vantrel {

// Icon 153 in every size the resources hold.
QIcon applicationIcon();

} // namespace vantrel
