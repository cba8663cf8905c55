// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "form1definition.h"
#include "services.h"
#include "windowhandle.h"
#include "xtimer.h"

#include <QMainWindow>

#include <memory>

class Announcer;
class CircleShape;
class ColoredLabel;
class LinkLabel;
class QAction;
class QLabel;
class QMenu;
class QTimer;
class WrappingButton;

// The reaction-test window: builds itself from its definition and runs one
// reaction attempt after the other.
class Form1 : public QMainWindow
{
    Q_OBJECT

public:
    explicit Form1(const Services &services, QWidget *parent = nullptr);
    ~Form1() override;

    WindowHandle hWnd() { return this; }
    // Places the window in the middle of its screen; called before it is
    // first shown, so it works with and without a window manager.
    void centreOnScreen();

    float reactionTime() const { return ReactionTime; }
    int pressCount() const { return PressCount; }
    int verdictIndex() const { return VerdictIndex; }
    QString verdictText() const { return VerdictText; }
    bool linkHover() const { return LinkHover; }

    // Event handlers, public so that tests can deliver the ticks.
    void Form_Load();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Timer1_Timer();
    void Timer2_Timer();
    void Label5_MouseMove();
    void Label5_MouseDown();
    void Label5_MouseUp();
    void Label5_Click();
    void Label5_PointerLeft();

protected:
    bool focusNextPrevChild(bool next) override;

private:
    void buildIcon();
    void buildMenu();
    void buildControls();
    template<typename Label>
    Label *addLabel(const ControlDefinition &definition);
    WrappingButton *addButton(const ControlDefinition &definition);
    void setUpControl(QWidget *control, const ControlDefinition &definition) const;
    void buildShape();
    void buildAccessibility();
    void buildTimers();
    void connectEvents();
    QRect pixels(int left, int top, int width, int height) const;
    QFont fontFor(FontStyle style) const;
    void setLinkUnderline(bool underline);
    void setLinkColor(Rgb color);

    void Auswerten();

    Services m_services;

    QMenu *info = nullptr;
    QAction *klap = nullptr;
    QLabel *Label1 = nullptr;
    WrappingButton *Command1 = nullptr;
    WrappingButton *Command2 = nullptr;
    QLabel *Label2 = nullptr;
    WrappingButton *Command3 = nullptr;
    QLabel *Label3 = nullptr;
    ColoredLabel *Label4 = nullptr;
    LinkLabel *Label5 = nullptr;
    CircleShape *Shape1 = nullptr;
    Announcer *timeAnnouncer = nullptr;
    QTimer *Timer1 = nullptr;
    QTimer *Timer2 = nullptr;

    float ReactionTime = 0.0f;
    int PressCount = 0;
    int VerdictIndex = 0;
    QString VerdictText;
    std::unique_ptr<xTimer> Stopwatch;
    bool LinkHover = false;
};
