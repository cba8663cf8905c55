// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form1.h"

#include "accessiblevisibility.h"
#include "announcer.h"
#include "circleshape.h"
#include "coloredlabel.h"
#include "linklabel.h"
#include "messagetexts.h"
#include "timeformat.h"
#include "verdicttable.h"
#include "wrappingbutton.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QShortcut>
#include <QTimer>

#include <cmath>

namespace {

const QString EarlyPressPrompt = QString::fromUtf8(MessageTexts::EarlyPressPrompt);
const QString EarlyPressTitle = QString::fromUtf8(MessageTexts::EarlyPressTitle);
const QString VerdictTitle = QString::fromUtf8(MessageTexts::VerdictTitle);

constexpr double ShownOffsetMs = 50.0;
constexpr double DelaySpanMs = 5000.0;
constexpr double MinimumDelayMs = 1000.0;
constexpr int EarlyPressLimit = 3;

constexpr Rgb LinkPressedColor{0, 160, 160};
constexpr Rgb LinkReleasedColor{0, 80, 80};
constexpr int ShowNormal = 1;
// The reaction button's face is the same light grey in every scheme, and
// black reads best on it; the style's own disabled text is too pale there.
const QColor CaptionOnFace(Qt::black);
const QColor DisabledCaptionOnFace(96, 96, 96);

QColor toColor(Rgb rgb)
{
    return QColor(rgb.red, rgb.green, rgb.blue);
}

// Screen pixels are whole numbers: the nearest one, ties to the even one
// (the default IEEE rounding mode).
double roundToPixel(double value)
{
    return std::nearbyint(value);
}

} // namespace

Form1::Form1(const Services &services, QWidget *parent)
    : QMainWindow(parent)
    , m_services(services)
{
    setWindowTitle(QString::fromUtf8(Form1Definition::Title));
    buildIcon();
    buildMenu();
    buildControls();
    buildShape();
    buildAccessibility();
    buildTimers();
    connectEvents();

    const QRect client = pixels(0, 0, Form1Definition::ClientWidth, Form1Definition::ClientHeight);
    centralWidget()->setMinimumSize(client.size());
    resize(client.width(), client.height() + menuBar()->sizeHint().height());
    Command1->setFocus();

    Form_Load();
}

Form1::~Form1() = default;

void Form1::centreOnScreen()
{
    const QScreen *target = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!target)
        return;
    // Creating the native window first lets the frame be counted where the
    // platform already knows it; a window manager that frames the window
    // only after it is shown keeps the client area centred instead.
    winId();
    QRect placed(QPoint(0, 0), frameGeometry().size());
    placed.moveCenter(target->availableGeometry().center());
    move(placed.topLeft());
}

QRect Form1::pixels(int left, int top, int width, int height) const
{
    const double perPixelX = m_services.screen.TwipsPerPixelX();
    const double perPixelY = m_services.screen.TwipsPerPixelY();
    auto toPixels = [](int twips, double perPixel) {
        return static_cast<int>(std::lround(twips / perPixel));
    };
    return QRect(toPixels(left, perPixelX), toPixels(top, perPixelY), toPixels(width, perPixelX),
                 toPixels(height, perPixelY));
}

QFont Form1::fontFor(FontStyle style) const
{
    if (style == FontStyle::Default)
        return QApplication::font();
    QFont font(QString::fromUtf8(Form1Definition::DefinedFontFamily));
    font.setPointSizeF(Form1Definition::DefinedFontPointSize);
    font.setWeight(style == FontStyle::Bold ? QFont::Bold : QFont::Normal);
    return font;
}

void Form1::buildIcon()
{
    QIcon icon;
    const QDir directory(QString::fromUtf8(Form1Definition::IconDirectory));
    for (const QFileInfo &file : directory.entryInfoList(QDir::Files))
        icon.addFile(file.filePath());
    setWindowIcon(icon);
}

void Form1::buildMenu()
{
    info = menuBar()->addMenu(QString::fromUtf8(Form1Definition::MenuCaption));
    info->setObjectName(QString::fromUtf8(Form1Definition::MenuName));
    klap = info->addAction(QString::fromUtf8(Form1Definition::MenuItemCaption));
    klap->setObjectName(QString::fromUtf8(Form1Definition::MenuItemName));
    // The caption carries no mnemonic; F10 opens the menu from the keyboard,
    // as on other Linux desktops.
    auto *openMenu = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(openMenu, &QShortcut::activated, this,
            [this] { menuBar()->setActiveAction(info->menuAction()); });
}

template<typename Label>
Label *Form1::addLabel(const ControlDefinition &definition)
{
    auto *label = new Label(centralWidget());
    label->setTextFormat(Qt::PlainText);
    label->setText(QString::fromUtf8(definition.text));
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setUpControl(label, definition);
    return label;
}

WrappingButton *Form1::addButton(const ControlDefinition &definition)
{
    auto *button = new WrappingButton(QString::fromUtf8(definition.text), centralWidget());
    setUpControl(button, definition);
    return button;
}

void Form1::buildControls()
{
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);

    // In tab order: the focus chain follows the order of creation.
    Label1 = addLabel<QLabel>(Form1Definition::Label1);
    Command1 = addButton(Form1Definition::Command1);
    Command2 = addButton(Form1Definition::Command2);
    Label2 = addLabel<QLabel>(Form1Definition::Label2);
    Command3 = addButton(Form1Definition::Command3);
    Label3 = addLabel<QLabel>(Form1Definition::Label3);
    Label4 = addLabel<ColoredLabel>(Form1Definition::Label4);
    Label5 = addLabel<LinkLabel>(Form1Definition::Label5);

    // Only these colours are the window's own; every other text shows the
    // scheme's.
    Label4->setTextColor(toColor(*Form1Definition::Label4.foreColor));
    Label5->setTextColor(toColor(*Form1Definition::Label5.foreColor));
    Command3->setFaceColors(toColor(*Form1Definition::Command3.backColor), CaptionOnFace,
                            DisabledCaptionOnFace);
    // What a screen reader says of the link: its address.
    Label5->setAccessibleName(Label5->text());
}

void Form1::setUpControl(QWidget *control, const ControlDefinition &definition) const
{
    control->setObjectName(QString::fromUtf8(definition.name));
    control->setGeometry(
        pixels(definition.left, definition.top, definition.width, definition.height));
    control->setFont(fontFor(definition.font));
    if (definition.toolTip)
        control->setToolTip(QString::fromUtf8(definition.toolTip));
    if (definition.sizeAllCursor)
        control->setCursor(Qt::SizeAllCursor);
    control->setVisible(definition.initially == Initially::Shown);
    control->setEnabled(definition.enabled == Enabled::Yes);
}

void Form1::buildShape()
{
    const ShapeDefinition &definition = Form1Definition::Shape1;
    Shape1 = new CircleShape(centralWidget());
    Shape1->setObjectName(QString::fromUtf8(definition.name));
    Shape1->setGeometry(
        pixels(definition.left, definition.top, definition.width, definition.height));
    Shape1->setFillColor(toColor(definition.fillColor));
    Shape1->setBorderColor(toColor(definition.borderColor));
    Shape1->setAccessibleName(QString::fromUtf8(definition.accessibleName));
    Shape1->hide();
}

// What a screen reader needs beyond the controls themselves: the time
// label's visibility as it changes, and a voice for the time when it appears.
void Form1::buildAccessibility()
{
    AccessibleVisibility::follow(Label3);
    timeAnnouncer = new Announcer(centralWidget());
}

void Form1::buildTimers()
{
    auto makeTimer = [this](const TimerDefinition &definition) {
        auto *timer = new QTimer(this);
        timer->setObjectName(QString::fromUtf8(definition.name));
        // Coarse timers may fire up to 5 % late; the delay must hold to the
        // millisecond.
        timer->setTimerType(Qt::PreciseTimer);
        timer->setInterval(definition.intervalMs);
        if (definition.enabled)
            timer->start();
        return timer;
    };
    Timer1 = makeTimer(Form1Definition::Timer1);
    Timer2 = makeTimer(Form1Definition::Timer2);
}

void Form1::connectEvents()
{
    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form1::Command3_Click);
    connect(Timer1, &QTimer::timeout, this, &Form1::Timer1_Timer);
    connect(Timer2, &QTimer::timeout, this, &Form1::Timer2_Timer);
    connect(Label5, &LinkLabel::mouseMoved, this, &Form1::Label5_MouseMove);
    connect(Label5, &LinkLabel::pressed, this, &Form1::Label5_MouseDown);
    connect(Label5, &LinkLabel::released, this, &Form1::Label5_MouseUp);
    connect(Label5, &LinkLabel::clicked, this, &Form1::Label5_Click);
    connect(Label5, &LinkLabel::pointerLeft, this, &Form1::Label5_PointerLeft);
    Label5->setDoubleClickInterval(m_services.pointer.doubleClickInterval());
}

void Form1::Form_Load()
{
    m_services.random.Randomize();
}

void Form1::Command1_Click()
{
    PressCount = 0;
    Command3->setEnabled(true);
    Command1->setEnabled(false);
    // Whoever armed with the keyboard reacts with it too.
    Command3->setFocus();
    Label1->hide();
    Label3->hide();
    ReactionTime = 0.0f;
    const float r = m_services.random.Rnd();
    const double delayMs = std::floor(static_cast<double>(r) * DelaySpanMs + MinimumDelayMs);
    Timer1->setInterval(static_cast<int>(delayMs));
    Timer1->start();
}

void Form1::Timer1_Timer()
{
    Timer1->stop();
    Shape1->show();
    if (!Stopwatch) {
        Stopwatch = std::make_unique<xTimer>(m_services.counter, [this] {
            m_services.lifetime.fatalError(QString::fromUtf8(MessageTexts::DivisionByZero));
        });
    }
    Stopwatch->Calibrieren();
    Stopwatch->Start();
}

void Form1::Command3_Click()
{
    ++PressCount;
    if (PressCount == EarlyPressLimit && Shape1->isHidden()) {
        m_services.messageBoxes.show(EarlyPressPrompt, MessageBoxStyle::ExclamationOk,
                                     EarlyPressTitle);
        m_services.lifetime.end();
        return;
    }
    if (Shape1->isHidden())
        return;

    Stopwatch->Halt();
    // Rounded to single precision twice, on purpose: the milliseconds less 50
    // first, then their thousandth. The bands depend on it: 149.999997 ms give
    // 0.1f (band 1-2) where a single rounding of the quotient gives 0.09999999
    // (row 0), and 749.99999 ms give 0.7f (band 13-14) where double precision
    // stays below 0.7 (band 11-12).
    ReactionTime = static_cast<float>(Stopwatch->RunTime() - ShownOffsetMs);
    ReactionTime = ReactionTime / static_cast<float>(xTimer::MsPerSecond);
    Label1->show();
    Label3->setText(formatSeconds(ReactionTime));
    Auswerten();
    m_services.messageBoxes.show(VerdictText, MessageBoxStyle::ExclamationOk, VerdictTitle);
    Label3->show();
    timeAnnouncer->announce(Label1->text() + u' ' + Label3->text());
    Shape1->hide();
    Command3->setEnabled(false);
    Command1->setEnabled(true);
    Command1->setFocus();
}

// Qt hands the focus of a control being disabled to the next one in the tab
// order, here "Kein Bock mehr": a screen reader announces it, and a Space
// pressed then would end the program. Both handlers that disable the
// focused button place the focus themselves right after, so it stays.
bool Form1::focusNextPrevChild(bool next)
{
    const QWidget *focused = focusWidget();
    if (focused && !focused->isEnabled())
        return true;
    return QMainWindow::focusNextPrevChild(next);
}

void Form1::Command2_Click()
{
    m_services.lifetime.end();
}

void Form1::Auswerten()
{
    const float t = ReactionTime;
    if (t < VerdictTable::Bounds[0])
        VerdictIndex = 0;
    for (int k = 1; k <= VerdictTable::BandCount; ++k) {
        if (t >= VerdictTable::Bounds[k - 1] && t < VerdictTable::Bounds[k]) {
            const float r = m_services.random.Rnd();
            VerdictIndex = static_cast<int>(std::floor(2.0 * static_cast<double>(r) + (2 * k - 1)));
        }
    }
    if (t >= VerdictTable::Bounds[VerdictTable::BandCount])
        VerdictIndex = 15;
    VerdictText = QString::fromUtf8(VerdictTable::Messages[VerdictIndex]);
}

void Form1::Timer2_Timer()
{
    if (!LinkHover)
        return;
    const ControlDefinition &link = Form1Definition::Label5;
    ScreenPoint origin;
    m_services.pointer.ClientToScreen(hWnd(), origin);
    // TwipsPerPixelX for the vertical edges too, and each edge rounded before
    // the next one builds on it, as the link has always polled: where pixels
    // are not square the rectangle is off vertically, and that is intended.
    const double left = roundToPixel(link.left / m_services.screen.TwipsPerPixelX() + origin.x);
    const double top = roundToPixel(link.top / m_services.screen.TwipsPerPixelX() + origin.y);
    const double right = roundToPixel(link.width / m_services.screen.TwipsPerPixelX() + left);
    const double bottom = roundToPixel(link.height / m_services.screen.TwipsPerPixelX() + top);
    ScreenPoint pointer;
    m_services.pointer.GetCursorPos(pointer);
    if (pointer.x < left || right < pointer.x || pointer.y < top || bottom < pointer.y)
        setLinkUnderline(false);
}

void Form1::Label5_MouseMove()
{
    if (!LinkHover)
        setLinkUnderline(true);
}

void Form1::Label5_MouseDown()
{
    setLinkColor(LinkPressedColor);
}

void Form1::Label5_MouseUp()
{
    setLinkColor(LinkReleasedColor);
}

void Form1::Label5_Click()
{
    m_services.shell.ShellExecuteA(hWnd(), QStringLiteral("Open"),
                                   QString::fromUtf8(Form1Definition::Homepage), QString(),
                                   m_services.screen.AppPath(), ShowNormal);
}

void Form1::Label5_PointerLeft()
{
    // Where the pointer's global position is hidden from the program, the
    // poll cannot see it leave; the leave event takes the underline off.
    if (LinkHover && !m_services.pointer.tracksGlobalPointer())
        setLinkUnderline(false);
}

void Form1::setLinkUnderline(bool underline)
{
    QFont font = Label5->font();
    font.setUnderline(underline);
    Label5->setFont(font);
    LinkHover = underline;
}

void Form1::setLinkColor(Rgb color)
{
    Label5->setTextColor(toColor(color));
}
