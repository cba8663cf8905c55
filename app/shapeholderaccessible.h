#pragma once

#include <QAccessibleWidget>

// The accessible of a plain widget that holds CircleShapes: a shape counts
// among its children only while it is shown, so that assistive technology
// finds it only while it is on screen.
class ShapeHolderAccessible : public QAccessibleWidget
{
public:
    explicit ShapeHolderAccessible(QWidget *widget);

    static bool holdsShapes(const QObject *object);

    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;

private:
    QList<QAccessibleInterface *> presentChildren() const;
};
