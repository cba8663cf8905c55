#include "linklabel.h"

#include <QMouseEvent>

LinkLabel::LinkLabel(QWidget *parent)
    : QLabel(parent)
{
    setMouseTracking(true);
}

void LinkLabel::mouseMoveEvent(QMouseEvent *event)
{
    event->accept();
    emit mouseMoved();
}

void LinkLabel::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    m_pressed = true;
    emit mousePressed();
}

void LinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    const bool wasPressed = m_pressed;
    m_pressed = event->buttons() != Qt::NoButton && m_pressed;
    emit mouseReleased();
    if (wasPressed && !m_pressed && rect().contains(event->position().toPoint()))
        emit clicked();
}

void LinkLabel::leaveEvent(QEvent *event)
{
    QLabel::leaveEvent(event);
    emit pointerLeft();
}
