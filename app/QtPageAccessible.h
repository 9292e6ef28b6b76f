#pragma once

#include "skin/AccessibleItem.h"

#include <QAccessibleWidget>

#include <vector>

namespace vantrel {

class QtPageWidget;

// A page's window as assistive technology sees it on Qt: a panel whose children are the items
// the page describes, not the window's own child widgets, which only lend their rectangles.
class QtPageAccessible : public QAccessibleWidget {
public:
    explicit QtPageAccessible(QtPageWidget* widget);
    ~QtPageAccessible() override;

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;

    QtPageWidget& pageWidget() const;
    std::vector<AccessibleItem> items() const;

    // The interface of the item with this index in the page's list, made on first use.
    QAccessibleInterface* itemInterface(int index) const;
    // The list indexes of the items held by this group, or at the top for NO_ACCESSIBLE_PARENT.
    std::vector<int> membersOf(int group) const;

    // Tells assistive technology what changed since the last time it was told.
    void announceChanges();

private:
    mutable std::vector<QAccessible::Id> itemIds_;
    std::vector<AccessibleItem> announced_;
};

// Makes every page window answer assistive technology with a QtPageAccessible.
void installPageAccessibility();

// Announces what changed on the page in this window, when assistive technology listens.
void announcePageChanges(QtPageWidget& widget);

} // namespace vantrel
