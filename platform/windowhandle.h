#pragma once

class QWidget;

// The handle by which the platform services know a window.
using WindowHandle = QWidget *;
