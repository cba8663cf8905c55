#include "systempointerservices.h"

#include <QCursor>
#include <QGuiApplication>
#include <QWidget>

void SystemPointerServices::GetCursorPos(ScreenPoint &point)
{
    const QPoint position = QCursor::pos();
    point = {position.x(), position.y()};
}

void SystemPointerServices::ClientToScreen(WindowHandle window, ScreenPoint &point)
{
    if (!window)
        return;
    const QPoint onScreen = window->mapToGlobal(QPoint(point.x, point.y));
    point = {onScreen.x(), onScreen.y()};
}

bool SystemPointerServices::tracksGlobalPointer() const
{
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}
