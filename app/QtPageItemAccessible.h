#pragma once

#include "skin/AccessibleItem.h"

#include <QAccessibleInterface>

#include <optional>

namespace vantrel {

class QtPageAccessible;

// One item of a page for assistive technology on Qt. It keeps no copy of the item: each question
// reads the page's description anew, so it always tells what the page shows now. Its action is
// the page's own click on the item.
class QtPageItemAccessible : public QAccessibleInterface,
                             public QAccessibleActionInterface,
                             public QAccessibleValueInterface {
public:
    QtPageItemAccessible(QtPageAccessible& page, int index);

    bool isValid() const override;
    QObject* object() const override;
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int index) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text t, const QString& text) override;
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString& actionName) const override;

    QVariant currentValue() const override;
    void setCurrentValue(const QVariant& value) override;
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override;

    // How the platform sees an item's states.
    static QAccessible::State stateOf(const AccessibleItem& item);

private:
    std::optional<AccessibleItem> item() const;

    QtPageAccessible& page_;
    int index_;
};

} // namespace vantrel
