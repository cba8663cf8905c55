// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "systempointerservices.h"

#include <QCursor>
#include <QGuiApplication>
#include <QMainWindow>
#include <QStyleHints>
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
    // A main window's client area is its central widget, below the menu
    // bar; the window's own origin is the menu bar's top.
    const auto *mainWindow = qobject_cast<const QMainWindow *>(window);
    const QWidget *client = mainWindow && mainWindow->centralWidget() ? mainWindow->centralWidget()
                                                                      : window;
    const QPoint onScreen = client->mapToGlobal(QPoint(point.x, point.y));
    point = {onScreen.x(), onScreen.y()};
}

bool SystemPointerServices::tracksGlobalPointer() const
{
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

int SystemPointerServices::doubleClickInterval() const
{
    return QGuiApplication::styleHints()->mouseDoubleClickInterval();
}
