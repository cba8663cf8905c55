// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "accessiblefactory.h"
#include "applicationsetup.h"
#include "config-klappomatikus.h"
#include "formfixture.h"
#include "linklabel.h"

#include <QAccessible>
#include <QMouseEvent>
#include <QTest>

namespace {

void moveOver(QWidget *label)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), label->mapToGlobal(QPointF(5, 5)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(label, &move);
}

// Plays left-button events on the label: "p" a press, "d" a press that Qt
// reports as a double-click, "r" a release, each with its time in ms.
void playLeftButton(QWidget *label, const QString &events)
{
    for (const QString &token : events.split(u' ')) {
        const QChar kind = token.front();
        const QEvent::Type type = kind == u'p'   ? QEvent::MouseButtonPress
                                  : kind == u'd' ? QEvent::MouseButtonDblClick
                                                 : QEvent::MouseButtonRelease;
        const Qt::MouseButtons held = kind == u'r' ? Qt::NoButton : Qt::LeftButton;
        const QPointF at(5, 5);
        QMouseEvent event(type, at, label->mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
        event.setTimestamp(token.mid(1).toULongLong());
        QApplication::sendEvent(label, &event);
    }
}

// Plays a key on the label: "p" a press, "r" a release, "P" and "R" the same
// repeated while the key is held, "+" Shift held from then on, "o" the focus
// leaving it. Beside it "m" and "u" press and release the left button, far
// apart in time, "e" is Escape pressed and released, and "a" is an assistive
// tool's press action.
void playKey(QWidget *label, int key, Qt::KeyboardModifiers modifiers, const QString &events)
{
    int mouseTime = 0;
    for (const QChar kind : events) {
        if (kind == u'e') {
            for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
                QKeyEvent escape(type, Qt::Key_Escape, Qt::NoModifier);
                QApplication::sendEvent(label, &escape);
            }
        } else if (kind == u'o') {
            QFocusEvent out(QEvent::FocusOut);
            QApplication::sendEvent(label, &out);
        } else if (kind == u'+') {
            modifiers |= Qt::ShiftModifier;
        } else if (kind == u'm' || kind == u'u') {
            mouseTime += 1000;
            playLeftButton(label, (kind == u'm' ? u'p' : u'r') + QString::number(mouseTime));
        } else if (kind == u'a') {
            QAccessibleInterface *link = QAccessible::queryAccessibleInterface(label);
            QVERIFY2(link && link->actionInterface(), "the link offers no actions");
            link->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        } else {
            const bool press = kind.toLower() == u'p';
            QKeyEvent event(press ? QEvent::KeyPress : QEvent::KeyRelease, key, modifiers,
                            QString(), kind.isUpper());
            QApplication::sendEvent(label, &event);
        }
    }
}

bool underlined(const FormFixture &f)
{
    return f.label("Label5")->font().underline();
}

// Counts font changes of a widget: each application of the underline is one.
class FontChangeCounter : public QObject
{
public:
    int changes = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        changes += event->type() == QEvent::FontChange;
        return false;
    }
};

} // namespace

class TestLink : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void moveUnderlinesOnce();
    void pollKeepsOrRemovesTheUnderline_data();
    void pollKeepsOrRemovesTheUnderline();
    void rectangleFollowsAMovedWindow();
    void pollWithoutHoverDoesNothing();
    void pressAndReleaseColours();
    void clickOpensTheHomepage();
    void releaseElsewhereIsNoClick();
    void pressesWithinTheIntervalBelongToOneClick_data();
    void pressesWithinTheIntervalBelongToOneClick();
    void leavingEndsHoverOnlyWithoutGlobalPointer_data();
    void leavingEndsHoverOnlyWithoutGlobalPointer();
    void keysOpenTheHomepageOnce_data();
    void keysOpenTheHomepageOnce();
};

void TestLink::initTestCase()
{
    ApplicationSetup::installFonts();
    AccessibleFactory::install();
}

void TestLink::moveUnderlinesOnce()
{
    FormFixture f;
    QVERIFY(!underlined(f));
    FontChangeCounter counter;
    f.label("Label5")->installEventFilter(&counter);
    moveOver(f.label("Label5"));
    QVERIFY(underlined(f));
    QVERIFY(f.form->linkHover());
    const int afterFirst = counter.changes;
    QVERIFY(afterFirst > 0);
    moveOver(f.label("Label5"));
    moveOver(f.label("Label5"));
    QCOMPARE(counter.changes, afterFirst);
}

void TestLink::pollKeepsOrRemovesTheUnderline_data()
{
    QTest::addColumn<double>("twipsPerPixelX");
    QTest::addColumn<double>("twipsPerPixelY");
    QTest::addColumn<QPoint>("origin");
    QTest::addColumn<QPoint>("pointer");
    QTest::addColumn<bool>("stays");

    // At 96 dpi with the client origin at (100, 50) the label covers
    // x 316..453 and y 146..163, edges included.
    const QPoint origin(100, 50);
    constexpr double At96Dpi = TwipsPerPixelAt96Dpi;
    QTest::newRow("inside") << At96Dpi << At96Dpi << origin << QPoint(320, 150) << true;
    QTest::newRow("on the left edge") << At96Dpi << At96Dpi << origin << QPoint(316, 150) << true;
    QTest::newRow("on the top edge") << At96Dpi << At96Dpi << origin << QPoint(320, 146) << true;
    QTest::newRow("on the right edge") << At96Dpi << At96Dpi << origin << QPoint(453, 150) << true;
    QTest::newRow("on the bottom edge") << At96Dpi << At96Dpi << origin << QPoint(320, 163) << true;
    QTest::newRow("bottom right corner")
        << At96Dpi << At96Dpi << origin << QPoint(453, 163) << true;
    QTest::newRow("one left of it") << At96Dpi << At96Dpi << origin << QPoint(315, 150) << false;
    QTest::newRow("one above it") << At96Dpi << At96Dpi << origin << QPoint(320, 145) << false;
    QTest::newRow("one right of it") << At96Dpi << At96Dpi << origin << QPoint(454, 150) << false;
    QTest::newRow("one below it") << At96Dpi << At96Dpi << origin << QPoint(320, 164) << false;
    QTest::newRow("far away") << At96Dpi << At96Dpi << origin << QPoint(0, 0) << false;
    // At 16 twips per pixel the left edge is 202.5 + origin x: a tie, which
    // goes to the even neighbour (202 or 204), never away from zero.
    QTest::newRow("tie rounds down to even")
        << 16.0 << 16.0 << QPoint(0, 0) << QPoint(202, 95) << true;
    QTest::newRow("tie rounds up to even")
        << 16.0 << 16.0 << QPoint(1, 0) << QPoint(203, 95) << false;
    // The right edge is 128.4375 past the rounded left edge: 202 + 128.4375
    // rounds to 330.
    QTest::newRow("right edge from the rounded left")
        << 16.0 << 16.0 << QPoint(0, 0) << QPoint(330, 95) << true;
    QTest::newRow("beyond the right edge")
        << 16.0 << 16.0 << QPoint(0, 0) << QPoint(331, 95) << false;
    // Vertical values use the horizontal factor as well: top 96, bottom 113.
    QTest::newRow("vertical uses the horizontal factor")
        << At96Dpi << 20.0 << QPoint(0, 0) << QPoint(220, 100) << true;
}

void TestLink::pollKeepsOrRemovesTheUnderline()
{
    QFETCH(double, twipsPerPixelX);
    QFETCH(double, twipsPerPixelY);
    QFETCH(QPoint, origin);
    QFETCH(QPoint, pointer);
    QFETCH(bool, stays);

    FormFixture f;
    f.fakes.screen.twipsPerPixelX = twipsPerPixelX;
    f.fakes.screen.twipsPerPixelY = twipsPerPixelY;
    f.fakes.pointer.clientOrigin = {origin.x(), origin.y()};
    f.fakes.pointer.cursor = {pointer.x(), pointer.y()};
    moveOver(f.label("Label5"));
    f.form->Timer2_Timer();
    QCOMPARE(underlined(f), stays);
    QCOMPARE(f.form->linkHover(), stays);
}

void TestLink::rectangleFollowsAMovedWindow()
{
    FormFixture f;
    f.fakes.pointer.clientOrigin = {0, 0};
    f.fakes.pointer.cursor = {300, 100};
    moveOver(f.label("Label5"));
    f.form->Timer2_Timer();
    QVERIFY(underlined(f));
    // The window moves 100 pixels right while the pointer stays.
    f.fakes.pointer.clientOrigin = {100, 0};
    f.form->Timer2_Timer();
    QVERIFY(!underlined(f));
    QVERIFY(!f.form->linkHover());
}

void TestLink::pollWithoutHoverDoesNothing()
{
    FormFixture f;
    f.fakes.pointer.cursor = {300, 100};
    f.form->Timer2_Timer();
    QVERIFY(!underlined(f));
    QVERIFY(!f.form->linkHover());
}

void TestLink::pressAndReleaseColours()
{
    FormFixture f;
    QLabel *label = f.label("Label5");
    QTest::mousePress(label, Qt::RightButton);
    QCOMPARE(label->palette().color(QPalette::WindowText), QColor(0, 160, 160));
    QTest::mouseRelease(label, Qt::RightButton);
    QCOMPARE(label->palette().color(QPalette::WindowText), QColor(0, 80, 80));
    QVERIFY(f.fakes.shell.calls.isEmpty()); // only the left button opens the link
    moveOver(label);
    f.form->Timer2_Timer();
    QCOMPARE(label->palette().color(QPalette::WindowText), QColor(0, 80, 80));
}

void TestLink::clickOpensTheHomepage()
{
    FormFixture f;
    QTest::mouseClick(f.label("Label5"), Qt::LeftButton);
    QCOMPARE(f.fakes.shell.calls.size(), 1);
    const ShellCall call = f.fakes.shell.calls.first();
    QCOMPARE(call.parent, f.form.get());
    QCOMPARE(call.operation, QStringLiteral("Open"));
    QCOMPARE(call.file, QStringLiteral(KLAPPOMATIKUS_HOMEPAGE));
    QCOMPARE(call.file, f.label("Label5")->text());
    QCOMPARE(call.parameters, QString());
    QCOMPARE(call.directory, f.fakes.screen.appPath);
    QCOMPARE(call.showCommand, 1);
}

void TestLink::releaseElsewhereIsNoClick()
{
    FormFixture f;
    QLabel *label = f.label("Label5");
    QTest::mousePress(label, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(label->width() + 20, 5));
    QVERIFY(f.fakes.shell.calls.isEmpty());
    QCOMPARE(label->palette().color(QPalette::WindowText), QColor(0, 80, 80));
}

void TestLink::pressesWithinTheIntervalBelongToOneClick_data()
{
    QTest::addColumn<QString>("events");
    QTest::addColumn<int>("opened");

    // The stand-in's double-click interval is 400 ms, counted from press to
    // press as Qt counts it.
    QTest::newRow("click") << "p0 r10" << 1;
    QTest::newRow("double-click") << "p0 r10 d150 r160" << 1;
    QTest::newRow("triple-click") << "p0 r10 d150 r160 p300 r310" << 1;
    QTest::newRow("slow triple-click, each press within the interval")
        << "p0 r10 d350 r360 p700 r710" << 1;
    // Qt takes a press on the label for a double-click when a press beside
    // it came just before.
    QTest::newRow("first press on the label reported as a double-click") << "d0 r10" << 1;
    QTest::newRow("two clicks the interval apart") << "p0 r10 p400 r410" << 2;
    QTest::newRow("a click after a double-click") << "p0 r10 d150 r160 p900 r910" << 2;
    QTest::newRow("press held past the interval") << "p0 r1000 p1100 r1110" << 2;
}

void TestLink::pressesWithinTheIntervalBelongToOneClick()
{
    QFETCH(QString, events);
    QFETCH(int, opened);
    FormFixture f;
    playLeftButton(f.label("Label5"), events);
    QCOMPARE(f.fakes.shell.calls.size(), opened);
    QCOMPARE(f.label("Label5")->palette().color(QPalette::WindowText), QColor(0, 80, 80));
}

void TestLink::leavingEndsHoverOnlyWithoutGlobalPointer_data()
{
    QTest::addColumn<bool>("globalPointer");
    QTest::addColumn<bool>("staysAfterLeave");
    QTest::newRow("global pointer: the poll decides") << true << true;
    QTest::newRow("no global pointer: leaving decides") << false << false;
}

void TestLink::leavingEndsHoverOnlyWithoutGlobalPointer()
{
    QFETCH(bool, globalPointer);
    QFETCH(bool, staysAfterLeave);
    FormFixture f;
    f.fakes.pointer.global = globalPointer;
    moveOver(f.label("Label5"));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(f.label("Label5"), &leave);
    QCOMPARE(underlined(f), staysAfterLeave);
    QCOMPARE(f.form->linkHover(), staysAfterLeave);
}

void TestLink::keysOpenTheHomepageOnce_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QString>("events");
    QTest::addColumn<int>("opened");
    QTest::addColumn<QColor>("color");

    const QColor red(255, 0, 0);
    const QColor pressed(0, 160, 160);
    const QColor released(0, 80, 80);
    const Qt::KeyboardModifiers none = Qt::NoModifier;
    QTest::newRow("Space") << int(Qt::Key_Space) << none << "pr" << 1 << released;
    QTest::newRow("Return") << int(Qt::Key_Return) << none << "pr" << 1 << released;
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << Qt::KeyboardModifiers(Qt::KeypadModifier)
                                  << "pr" << 1 << released;
    QTest::newRow("Space held down") << int(Qt::Key_Space) << none << "pRPRPr" << 1 << released;
    QTest::newRow("Space pressed, not yet released")
        << int(Qt::Key_Space) << none << "pRP" << 0 << pressed;
    QTest::newRow("twice") << int(Qt::Key_Return) << none << "prpr" << 2 << released;
    QTest::newRow("the focus goes while Space is down")
        << int(Qt::Key_Space) << none << "por" << 0 << released;
    QTest::newRow("Ctrl+Space") << int(Qt::Key_Space) << Qt::KeyboardModifiers(Qt::ControlModifier)
                                << "pr" << 1 << released;
    QTest::newRow("a letter") << int(Qt::Key_A) << none << "pr" << 0 << red;
    // The key that pressed it releases it, whatever modifiers are held by then.
    QTest::newRow("Shift pressed before Space comes up")
        << int(Qt::Key_Space) << none << "p+r" << 1 << released;
    QTest::newRow("Return held, repeating under Shift")
        << int(Qt::Key_Return) << none << "pRP+RPr" << 1 << released;
    // Held by a key and the mouse at once, it opens once.
    QTest::newRow("a click while Space is down")
        << int(Qt::Key_Space) << none << "pmur" << 1 << released;
    QTest::newRow("Space pressed and released while the button is down")
        << int(Qt::Key_Space) << none << "mpru" << 1 << released;
    QTest::newRow("the button pressed while Space is down, Space up first")
        << int(Qt::Key_Space) << none << "pmru" << 1 << released;
    QTest::newRow("Return pressed while the button is down, the button up first")
        << int(Qt::Key_Return) << none << "mpur" << 1 << released;
    // An assistive tool presses it as a click does.
    QTest::newRow("press action") << int(Qt::Key_Space) << none << "a" << 1 << released;
    QTest::newRow("press action while Space is down")
        << int(Qt::Key_Space) << none << "par" << 1 << released;
    // Escape lets go of it without opening; the next press opens it again.
    QTest::newRow("Escape while Space is down")
        << int(Qt::Key_Space) << none << "per" << 0 << released;
    QTest::newRow("Escape while Space repeats")
        << int(Qt::Key_Space) << none << "pRPeRPr" << 0 << released;
    QTest::newRow("Space after Escape") << int(Qt::Key_Space) << none << "perpr" << 1 << released;
    QTest::newRow("Escape while the button is down")
        << int(Qt::Key_Space) << none << "meu" << 0 << released;
    QTest::newRow("Escape with nothing held") << int(Qt::Key_Space) << none << "e" << 0 << red;
}

// Space and Enter press and release the link as the left button does; a
// key held down opens it once.
void TestLink::keysOpenTheHomepageOnce()
{
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QString, events);
    QFETCH(int, opened);
    QFETCH(QColor, color);
    FormFixture f;
    playKey(f.label("Label5"), key, modifiers, events);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(f.fakes.shell.calls.size(), opened);
    for (const ShellCall &call : std::as_const(f.fakes.shell.calls))
        QCOMPARE(call.file, QStringLiteral(KLAPPOMATIKUS_HOMEPAGE));
    QCOMPARE(f.label("Label5")->palette().color(QPalette::WindowText), color);
}

QTEST_MAIN(TestLink)
#include "tst_link.moc"
