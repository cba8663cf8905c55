#include "circleshapeaccessible.h"

#include "circleshape.h"
#include "shapeholderaccessible.h"

namespace {

QAccessibleInterface *createAccessible(const QString &className, QObject *object)
{
    if (auto *shape = qobject_cast<CircleShape *>(object))
        return new CircleShapeAccessible(shape);
    // Only a plain widget: Qt's own interfaces for the others stay.
    if (className == QLatin1String("QWidget") && ShapeHolderAccessible::holdsShapes(object))
        return new ShapeHolderAccessible(static_cast<QWidget *>(object));
    return nullptr;
}

} // namespace

CircleShapeAccessible::CircleShapeAccessible(QWidget *widget)
    : QAccessibleWidget(widget, QAccessible::Graphic)
{
}

void CircleShapeAccessible::install()
{
    static const bool installed = [] {
        QAccessible::installFactory(createAccessible);
        return true;
    }();
    Q_UNUSED(installed);
}
