#include "app/QtPageAccessible.h"

#include "app/QtPageItemAccessible.h"
#include "app/QtPageWidget.h"
#include "skin/AccessibleChanges.h"

namespace vantrel {

namespace {

QAccessibleInterface* pageAccessibleFactory(const QString&, QObject* object) {
    if (auto* widget = dynamic_cast<QtPageWidget*>(object)) {
        return new QtPageAccessible(widget);
    }
    return nullptr;
}

// The states whose change is news: the ones the page itself sets.
QAccessible::State changedStates(const AccessibleItem& before, const AccessibleItem& after) {
    const QAccessible::State old = QtPageItemAccessible::stateOf(before);
    const QAccessible::State now = QtPageItemAccessible::stateOf(after);
    QAccessible::State changed;
    changed.active = old.active != now.active;
    changed.pressed = old.pressed != now.pressed;
    changed.checked = old.checked != now.checked;
    changed.selected = old.selected != now.selected;
    return changed;
}

void send(QAccessibleEvent&& event) {
    QAccessible::updateAccessibility(&event);
}

} // namespace

QtPageAccessible::QtPageAccessible(QtPageWidget* widget)
    : QAccessibleWidget(widget, QAccessible::Pane), announced_(widget->page().accessibleItems()) {
}

QtPageAccessible::~QtPageAccessible() {
    for (const QAccessible::Id id : itemIds_) {
        if (id != 0) {
            QAccessible::deleteAccessibleInterface(id);
        }
    }
}

QtPageWidget& QtPageAccessible::pageWidget() const {
    return *static_cast<QtPageWidget*>(widget());
}

std::vector<AccessibleItem> QtPageAccessible::items() const {
    return pageWidget().page().accessibleItems();
}

QAccessibleInterface* QtPageAccessible::itemInterface(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= items().size()) {
        return nullptr;
    }
    const auto slot = static_cast<std::size_t>(index);
    if (itemIds_.size() <= slot) {
        itemIds_.resize(slot + 1, 0);
    }
    if (itemIds_[slot] == 0) {
        itemIds_[slot] = QAccessible::registerAccessibleInterface(
            new QtPageItemAccessible(const_cast<QtPageAccessible&>(*this), index));
    }
    return QAccessible::accessibleInterface(itemIds_[slot]);
}

std::vector<int> QtPageAccessible::membersOf(int group) const {
    std::vector<int> members;
    const std::vector<AccessibleItem> all = items();
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (all[i].parent == group) {
            members.push_back(static_cast<int>(i));
        }
    }
    return members;
}

int QtPageAccessible::childCount() const {
    return static_cast<int>(membersOf(NO_ACCESSIBLE_PARENT).size());
}

QAccessibleInterface* QtPageAccessible::child(int index) const {
    const std::vector<int> members = membersOf(NO_ACCESSIBLE_PARENT);
    if (index < 0 || static_cast<std::size_t>(index) >= members.size()) {
        return nullptr;
    }
    return itemInterface(members[static_cast<std::size_t>(index)]);
}

int QtPageAccessible::indexOfChild(const QAccessibleInterface* child) const {
    const std::vector<int> members = membersOf(NO_ACCESSIBLE_PARENT);
    for (std::size_t i = 0; i < members.size(); ++i) {
        if (itemInterface(members[i]) == child) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

QAccessibleInterface* QtPageAccessible::childAt(int x, int y) const {
    for (int i = 0; i < childCount(); ++i) {
        QAccessibleInterface* member = child(i);
        if (member && member->rect().contains(x, y)) {
            return member;
        }
    }
    return nullptr;
}

void QtPageAccessible::announceChanges() {
    std::vector<AccessibleItem> now = items();
    if (now.size() != announced_.size()) {
        // The page finished setting itself up: its items are new.
        send(QAccessibleEvent(this, QAccessible::ObjectReorder));
        announced_ = std::move(now);
        return;
    }
    for (const AccessibleChange& change : accessibleChanges(announced_, now)) {
        QAccessibleInterface* item = itemInterface(change.index);
        const auto index = static_cast<std::size_t>(change.index);
        if (change.name) {
            send(QAccessibleEvent(item, QAccessible::NameChanged));
        }
        if (change.description) {
            send(QAccessibleEvent(item, QAccessible::DescriptionChanged));
        }
        if (change.states) {
            send(QAccessibleStateChangeEvent(item, changedStates(announced_[index], now[index])));
        }
        if (change.value && now[index].value) {
            send(QAccessibleValueChangeEvent(item, now[index].value->current));
        }
    }
    announced_ = std::move(now);
}

void installPageAccessibility() {
    // Qt keeps a factory once, however often it is installed.
    QAccessible::installFactory(pageAccessibleFactory);
}

void announcePageChanges(QtPageWidget& widget) {
    if (!QAccessible::isActive()) {
        return;
    }
    if (auto* page =
            dynamic_cast<QtPageAccessible*>(QAccessible::queryAccessibleInterface(&widget))) {
        page->announceChanges();
    }
}

} // namespace vantrel
