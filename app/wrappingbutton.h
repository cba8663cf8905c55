// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPushButton>
#include <QTimer>

class QStyleOptionButton;
class QStylePainter;

// A push button whose caption wraps at word boundaries and is centred
// inside the button, as a long caption needs on a fixed-size button.
class WrappingButton : public QPushButton
{
    Q_OBJECT

public:
    explicit WrappingButton(QWidget *parent = nullptr);
    explicit WrappingButton(const QString &text, QWidget *parent = nullptr);

    // A face of one flat colour, enabled and disabled, inside the style's
    // frame and focus rectangle, with captions in the colours given; without
    // it the style shades the face. The button keeps these colours whatever
    // palette it is given later.
    void setFaceColors(const QColor &face, const QColor &caption, const QColor &disabledCaption);

    // How long the pressed look waits for a release that would make it moot.
    static constexpr int PressedLookDelayMs = 4;

    // Flags with which the caption is laid out inside captionRectangle().
    static constexpr int TextFlags = Qt::AlignCenter | Qt::TextWordWrap;
    // Clear face between the caption and the button's sides, in pixels.
    static constexpr int CaptionMargin = 3;
    QRect contentsRectangle() const;
    // The contents rectangle less CaptionMargin on the left and right.
    QRect captionRectangle() const;

protected:
    void changeEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;

private:
    // The style's frame around the face: an outline and a light line inside
    // it, one pixel each.
    static constexpr int FrameWidth = 2;

    void drawWithFlatFace(QStylePainter &painter, const QStyleOptionButton &option);
    void holdBackPressedLook();
    void releaseWithoutRepaint();

    QTimer m_showPressedLook;
    QColor m_faceColor;
    // The colours set by setFaceColors(), over whatever the palette holds.
    QPalette m_ownColors;
};
