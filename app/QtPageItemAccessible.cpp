#include "app/QtPageItemAccessible.h"

#include "app/QtPageAccessible.h"
#include "app/QtPageWidget.h"

#include <QWidget>
#include <QWindow>

namespace vantrel {

namespace {

QString textOf(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QAccessible::Role roleOf(AccessibleRole role) {
    switch (role) {
    case AccessibleRole::PushButton:
        return QAccessible::PushButton;
    case AccessibleRole::Label:
        return QAccessible::StaticText;
    case AccessibleRole::StatusText:
        return QAccessible::StatusBar;
    case AccessibleRole::Gauge:
        return QAccessible::ProgressBar;
    case AccessibleRole::PageTabList:
        return QAccessible::PageTabList;
    case AccessibleRole::PageTab:
        return QAccessible::PageTab;
    case AccessibleRole::RadioGroup:
        return QAccessible::Grouping;
    case AccessibleRole::RadioButton:
        return QAccessible::RadioButton;
    case AccessibleRole::Picture:
        return QAccessible::Graphic;
    }
    return QAccessible::NoRole;
}

} // namespace

QtPageItemAccessible::QtPageItemAccessible(QtPageAccessible& page, int index)
    : page_(page), index_(index) {
}

std::optional<AccessibleItem> QtPageItemAccessible::item() const {
    std::vector<AccessibleItem> items = page_.items();
    if (index_ < 0 || static_cast<std::size_t>(index_) >= items.size()) {
        return std::nullopt;
    }
    return std::move(items[static_cast<std::size_t>(index_)]);
}

bool QtPageItemAccessible::isValid() const {
    return page_.isValid();
}

QObject* QtPageItemAccessible::object() const {
    return nullptr;
}

QWindow* QtPageItemAccessible::window() const {
    return page_.window();
}

QAccessibleInterface* QtPageItemAccessible::parent() const {
    const auto own = item();
    if (!own || own->parent == NO_ACCESSIBLE_PARENT) {
        return &page_;
    }
    return page_.itemInterface(own->parent);
}

QAccessibleInterface* QtPageItemAccessible::child(int index) const {
    const std::vector<int> members = page_.membersOf(index_);
    if (index < 0 || static_cast<std::size_t>(index) >= members.size()) {
        return nullptr;
    }
    return page_.itemInterface(members[static_cast<std::size_t>(index)]);
}

int QtPageItemAccessible::childCount() const {
    return static_cast<int>(page_.membersOf(index_).size());
}

int QtPageItemAccessible::indexOfChild(const QAccessibleInterface* child) const {
    const std::vector<int> members = page_.membersOf(index_);
    for (std::size_t i = 0; i < members.size(); ++i) {
        if (page_.itemInterface(members[i]) == child) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

QAccessibleInterface* QtPageItemAccessible::childAt(int x, int y) const {
    for (int i = 0; i < childCount(); ++i) {
        QAccessibleInterface* member = child(i);
        if (member && member->rect().contains(x, y)) {
            return member;
        }
    }
    return nullptr;
}

QAccessibleInterface* QtPageItemAccessible::focusChild() const {
    return nullptr;
}

QString QtPageItemAccessible::text(QAccessible::Text t) const {
    const auto own = item();
    if (!own) {
        return {};
    }
    switch (t) {
    case QAccessible::Name:
        return textOf(own->name);
    case QAccessible::Description:
        return textOf(own->description);
    case QAccessible::Value:
        return own->value ? textOf(own->description) : QString();
    default:
        return {};
    }
}

void QtPageItemAccessible::setText(QAccessible::Text, const QString&) {
    // The page's texts follow its own rules only.
}

QRect QtPageItemAccessible::rect() const {
    const auto own = item();
    if (!own) {
        return {};
    }
    const QPoint origin = page_.pageWidget().mapToGlobal(QPoint(own->rect.left, own->rect.top));
    return {origin, QSize(own->rect.width, own->rect.height)};
}

QAccessible::Role QtPageItemAccessible::role() const {
    const auto own = item();
    return own ? roleOf(own->role) : QAccessible::NoRole;
}

QAccessible::State QtPageItemAccessible::stateOf(const AccessibleItem& item) {
    QAccessible::State state;
    // A page shows the item under the pointer lit: the one item active in its page.
    state.active = item.states.hovered;
    state.pressed = item.states.pressed || item.states.capturing;
    state.checkable = item.role == AccessibleRole::RadioButton;
    state.checked = item.states.checked;
    state.selectable = item.role == AccessibleRole::PageTab;
    state.selected = item.states.selected;
    return state;
}

QAccessible::State QtPageItemAccessible::state() const {
    const auto own = item();
    QAccessible::State state = own ? stateOf(*own) : QAccessible::State();
    if (!page_.pageWidget().isVisible()) {
        state.invisible = true;
    }
    return state;
}

void* QtPageItemAccessible::interface_cast(QAccessible::InterfaceType type) {
    const auto own = item();
    if (type == QAccessible::ActionInterface && own && own->hasAction) {
        return static_cast<QAccessibleActionInterface*>(this);
    }
    if (type == QAccessible::ValueInterface && own && own->value) {
        return static_cast<QAccessibleValueInterface*>(this);
    }
    return nullptr;
}

QStringList QtPageItemAccessible::actionNames() const {
    const auto own = item();
    return own && own->hasAction ? QStringList{pressAction()} : QStringList{};
}

void QtPageItemAccessible::doAction(const QString& actionName) {
    if (actionName == pressAction()) {
        page_.pageWidget().activateItemLater(index_);
    }
}

QStringList QtPageItemAccessible::keyBindingsForAction(const QString&) const {
    return {};
}

QVariant QtPageItemAccessible::currentValue() const {
    const auto own = item();
    return own && own->value ? QVariant(own->value->current) : QVariant();
}

void QtPageItemAccessible::setCurrentValue(const QVariant&) {
    // A reading comes from the device alone.
}

QVariant QtPageItemAccessible::maximumValue() const {
    const auto own = item();
    return own && own->value ? QVariant(own->value->maximum) : QVariant();
}

QVariant QtPageItemAccessible::minimumValue() const {
    const auto own = item();
    return own && own->value ? QVariant(own->value->minimum) : QVariant();
}

QVariant QtPageItemAccessible::minimumStepSize() const {
    return 1;
}

} // namespace vantrel
