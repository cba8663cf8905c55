// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "accessiblefactory.h"
#include "announcer.h"
#include "applicationsetup.h"
#include "config-klappomatikus.h"
#include "formfixture.h"
#include "systemfonts.h"
#include "textcontrast.h"
#include "wrappingbutton.h"

#include <QAccessible>
#include <QApplication>
#include <QFontInfo>
#include <QHash>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QScopeGuard>
#include <QScreen>
#include <QStyleOptionButton>
#include <QTest>

#include <cstdlib>

namespace {

// The pixels inside `area` visibly darker than the face, the colour most
// common in their row (the style shades a face from top to bottom; its bevel
// is lighter).
QRect inkWithin(const QImage &image, const QRect &area)
{
    constexpr int VisibleDifference = 8;
    QRect ink;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        QHash<int, int> counts;
        for (int x = area.left(); x <= area.right(); ++x)
            ++counts[qGray(image.pixel(x, y))];
        int face = 0;
        for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
            if (it.value() > counts.value(face))
                face = it.key();
        }
        for (int x = area.left(); x <= area.right(); ++x) {
            if (face - qGray(image.pixel(x, y)) > VisibleDifference)
                ink |= QRect(x, y, 1, 1);
        }
    }
    return ink;
}

// A colour scheme as far as the window uses it: qt6ct's "darker" and
// "dusk", and schemes of one's own.
QPalette scheme(QRgb window, QRgb button, QRgb text, QRgb buttonText)
{
    QPalette palette(QColor::fromRgb(button), QColor::fromRgb(window));
    palette.setColor(QPalette::WindowText, QColor::fromRgb(text));
    palette.setColor(QPalette::ButtonText, QColor::fromRgb(buttonText));
    return palette;
}

// The colour of a control's text in one colour group.
QColor textColor(const QWidget *control, QPalette::ColorGroup group)
{
    const bool button = qobject_cast<const QPushButton *>(control);
    return control->palette().color(group, button ? QPalette::ButtonText : QPalette::WindowText);
}

// In every colour group each text the window colours reaches the contrast it
// has under the light default on what it is painted on, or 4.5:1 where that
// is lower, keeping its hue and moving only as far as it must; every other
// text shows exactly the scheme's colour.
void checkSchemeColors(const FormFixture &fixture, const QPalette &palette,
                       const QColor &lightGround, const QHash<QString, QColor> &lit)
{
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        for (const char *name : {"Label1", "Label2", "Label3", "Command1", "Command2"}) {
            const QWidget *control = fixture.control(name);
            const auto role = qobject_cast<const QPushButton *>(control) ? QPalette::ButtonText
                                                                         : QPalette::WindowText;
            QVERIFY2(textColor(control, group) == palette.color(group, role), name);
        }
        for (const char *name : {"Label4", "Label5"}) {
            const QColor defined = lit.value(name);
            const QColor shown = textColor(fixture.control(name), group);
            const double contrast = TextContrast::ratio(shown,
                                                        palette.color(group, QPalette::Window));
            const double required = std::min(TextContrast::ratio(defined, lightGround),
                                             TextContrast::Readable);
            QVERIFY2(contrast >= required, name);
            QVERIFY2(shown.hslHue() == defined.hslHue(), name);
            QVERIFY2(shown == defined || contrast < required + 0.1, name);
        }
        const QWidget *reaction = fixture.control("Command3");
        QCOMPARE(reaction->palette().color(group, QPalette::Button), QColor(192, 192, 192));
        QCOMPARE(textColor(reaction, group), QColor(Qt::black));
    }
}

// The widget as drawn at a scale factor, on the window's colour.
QImage rendered(QWidget *widget, int scale)
{
    QImage image(widget->size() * scale, QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    image.fill(widget->palette().color(QPalette::Window));
    widget->render(&image);
    return image;
}

} // namespace

class TestForm1Layout : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void window();
    void menu();
    void menuOpensFromTheKeyboard();
    void controls_data();
    void controls();
    void captionsFitTheirControls();
    void captionInkKeepsClearOfTheFace_data();
    void captionInkKeepsClearOfTheFace();
    void reactionButtonFaceIsFlat_data();
    void reactionButtonFaceIsFlat();
    void reactionCaptionShowsTheState_data();
    void reactionCaptionShowsTheState();
    void textsReadInEveryScheme_data();
    void textsReadInEveryScheme();
    void tabOrderAndFocus();
    void circleIsLargestCentredInItsBox();
    void notificationsOnlyForTheCircleAndTheAnnouncer();
    void timers();
    void layoutScalesWithDpi();
    void centredOnScreen();
    void loadSeedsTheGenerator();
};

void TestForm1Layout::initTestCase()
{
    ApplicationSetup::installFonts();
    AccessibleFactory::install();
}

void TestForm1Layout::window()
{
    FormFixture fixture;
    Form1 &form = *fixture.form;
    QCOMPARE(form.windowTitle(), QStringLiteral("Klappomatikus"));
    const QIcon icon = form.windowIcon();
    QVERIFY(!icon.isNull());
    QVERIFY(icon.availableSizes().contains(QSize(32, 32)));

    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(form.centralWidget()->geometry(), QRect(0, form.menuBar()->height(), 423, 343));
    QVERIFY(form.menuBar()->height() > 0);
}

void TestForm1Layout::menu()
{
    FormFixture fixture;
    const QList<QAction *> menus = fixture.form->menuBar()->actions();
    QCOMPARE(menus.size(), 1);
    QMenu *info = menus.first()->menu();
    QVERIFY(info);
    QCOMPARE(info->objectName(), QStringLiteral("info"));
    QCOMPARE(info->title(), QStringLiteral("INFO"));
    QCOMPARE(info->actions().size(), 1);
    QAction *klap = info->actions().first();
    QCOMPARE(klap->objectName(), QStringLiteral("klap"));
    QVERIFY(klap->text().startsWith(QStringLiteral("Klappomatikus 1.0 ")));
    QVERIFY(klap->text().size() > QStringLiteral("Klappomatikus 1.0 ").size());
    QVERIFY(klap->isEnabled());
}

void TestForm1Layout::menuOpensFromTheKeyboard()
{
    FormFixture fixture;
    Form1 &form = *fixture.form;
    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QTest::keyClick(&form, Qt::Key_F10);
    QMenu *info = form.findChild<QMenu *>(QStringLiteral("info"));
    QVERIFY(QTest::qWaitFor([info] { return info->isVisible(); }));
    QCOMPARE(form.menuBar()->activeAction(), info->menuAction());
    QTest::keyClick(info, Qt::Key_Escape);
}

void TestForm1Layout::controls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("toolTip");
    QTest::addColumn<int>("fontStyle"); // 0 default, 1 regular, 2 bold
    QTest::addColumn<QColor>("textColor");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<bool>("enabled");

    const QColor none;
    const QString homepage = QStringLiteral(KLAPPOMATIKUS_HOMEPAGE);
    QTest::newRow("Label1") << "Label1" << QRect(16, 216, 129, 17) << "Ihre Reaktionszeit ist"
                            << "" << 1 << none << false << true;
    QTest::newRow("Command1") << "Command1" << QRect(0, 296, 81, 25) << "Ich bin bereit"
                              << "Los geht's" << 0 << none << true << true;
    QTest::newRow("Command2") << "Command2" << QRect(296, 296, 105, 25) << "Kein Bock mehr"
                              << "Programm beenden" << 0 << none << true << true;
    QTest::newRow("Label2")
        << "Label2" << QRect(32, 0, 321, 49)
        << "Testen Sie Ihre Reaktionszeit, indem Sie nach dem Erscheinen eines roten Kreises "
           "sofort auf den Button unten in der Mitte klicken."
        << "" << 2 << none << true << true;
    QTest::newRow("Command3")
        << "Command3" << QRect(120, 264, 145, 73)
        << "Sobald Sie den Kreis sehen, klicken Sie mit der linken Maustaste auf dieses Feld."
        << "Bitte volle Konzentration" << 0 << none << true << false;
    QTest::newRow("Label3") << "Label3" << QRect(152, 216, 129, 17) << ""
                            << "" << 1 << none << true << true;
    QTest::newRow("Label4") << "Label4" << QRect(24, 56, 369, 41)
                            << QString::fromUtf8(
                                   "Auf meiner Homepage finden Sie noch viel mehr solcher kleinen "
                                   "\"nützlichen\" Programme. Dort gibt's auch jede Menge "
                                   "Scherzprogramme mit denen Sie Ihre \"besten Freunde\" ärgern "
                                   "können.")
                            << "" << 0 << QColor(0, 0, 255) << true << true;
    QTest::newRow("Label5") << "Label5" << QRect(216, 96, 137, 17) << homepage << "" << 2
                            << QColor(255, 0, 0) << true << true;
}

void TestForm1Layout::controls()
{
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QFETCH(QString, text);
    QFETCH(QString, toolTip);
    QFETCH(int, fontStyle);
    QFETCH(QColor, textColor);
    QFETCH(bool, shown);
    QFETCH(bool, enabled);

    FormFixture fixture;
    QWidget *control = fixture.control(qPrintable(name));
    QVERIFY(control);
    QCOMPARE(control->geometry(), geometry);
    const auto *label = qobject_cast<QLabel *>(control);
    const auto *button = qobject_cast<QPushButton *>(control);
    QCOMPARE(label ? label->text() : button->text(), text);
    QCOMPARE(control->toolTip(), toolTip);
    QCOMPARE(!control->isHidden(), shown);
    QCOMPARE(control->isEnabled(), enabled);

    const QFont font = control->font();
    if (fontStyle == 0) {
        QCOMPARE(font, QApplication::font());
    } else {
        QCOMPARE(font.family(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(font.pointSizeF(), 9.75);
        QCOMPARE(font.weight(), fontStyle == 2 ? QFont::Bold : QFont::Normal);
        QVERIFY(!font.italic() && !font.underline() && !font.strikeOut());
    }
    // The defined face is missing on Linux: a real substitute must be drawn.
    QCOMPARE(QFontInfo(font).family(), QString::fromUtf8(SystemFonts::SubstituteFamily));

    if (textColor.isValid())
        QCOMPARE(control->palette().color(QPalette::WindowText), textColor);
    if (label) {
        QVERIFY(label->wordWrap());
        QCOMPARE(label->textFormat(), Qt::PlainText);
    }
    if (name == QLatin1String("Command3")) {
        QCOMPARE(control->palette().color(QPalette::Button), QColor(192, 192, 192));
        QCOMPARE(control->cursor().shape(), Qt::SizeAllCursor);
    }
}

void TestForm1Layout::captionsFitTheirControls()
{
    FormFixture fixture;
    for (QWidget *control : fixture.form->centralWidget()->findChildren<QWidget *>()) {
        QRect room = control->rect();
        QString text;
        int flags = Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop;
        if (auto *button = qobject_cast<WrappingButton *>(control)) {
            room = button->captionRectangle();
            text = button->text();
            flags = WrappingButton::TextFlags;
        } else if (auto *label = qobject_cast<QLabel *>(control)) {
            text = label->text();
            if (control->objectName() == QLatin1String("Label3"))
                text = QStringLiteral("-1234,500 Sekunden"); // the widest likely time
        } else {
            continue;
        }
        const QRect needed = QFontMetrics(control->font()).boundingRect(room, flags, text);
        QVERIFY2(room.contains(needed), qPrintable(QStringLiteral("%1 needs %2x%3 in %4x%5")
                                                       .arg(control->objectName())
                                                       .arg(needed.width())
                                                       .arg(needed.height())
                                                       .arg(room.width())
                                                       .arg(room.height())));
    }
}

void TestForm1Layout::captionInkKeepsClearOfTheFace_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("scale");
    for (const char *name : {"Command1", "Command2", "Command3"}) {
        for (const int scale : {1, 2})
            QTest::addRow("%s at scale %d", name, scale) << QString::fromLatin1(name) << scale;
    }
}

// The caption drawn at the given scale, measured against the contents
// rectangle: at least 3 px of clear face beside it, centred, and within the
// height with a clear row above and below.
void TestForm1Layout::captionInkKeepsClearOfTheFace()
{
    QFETCH(QString, name);
    QFETCH(int, scale);
    constexpr int ClearFace = 3;
    FormFixture fixture;
    auto *button = fixture.form->findChild<WrappingButton *>(name);
    QVERIFY(button);
    const QImage image = rendered(button, scale);

    const QRect contents = button->contentsRectangle();
    const QRect area(contents.topLeft() * scale, contents.size() * scale);
    // The frame's antialiased edge and rounded corners reach one pixel into
    // the contents rectangle; the caption keeps well clear of that band.
    const QRect scanned = area.adjusted(scale, scale, -scale, -scale);
    const QRect ink = inkWithin(image, scanned);
    const int left = ink.left() - area.left();
    const int right = area.right() - ink.right();
    const QString figures = QStringLiteral("ink %1..%2 x %3..%4 in %5..%6 x %7..%8")
                                .arg(ink.left())
                                .arg(ink.right())
                                .arg(ink.top())
                                .arg(ink.bottom())
                                .arg(area.left())
                                .arg(area.right())
                                .arg(area.top())
                                .arg(area.bottom());
    QVERIFY2(!ink.isEmpty(), qPrintable(figures));
    QVERIFY2(left >= ClearFace * scale && right >= ClearFace * scale, qPrintable(figures));
    QVERIFY2(std::abs(left - right) <= 2 * scale, qPrintable(figures));
    QVERIFY2(ink.top() > scanned.top() && ink.bottom() < scanned.bottom(), qPrintable(figures));
}

void TestForm1Layout::reactionButtonFaceIsFlat_data()
{
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("focused");
    QTest::addColumn<int>("scale");
    for (const int scale : {1, 2}) {
        QTest::addRow("disabled at scale %d", scale) << false << false << scale;
        QTest::addRow("enabled at scale %d", scale) << true << false << scale;
        QTest::addRow("focused at scale %d", scale) << true << true << scale;
    }
}

// The reaction button's face is one flat (192, 192, 192) from edge to edge,
// looked at down both sides and along the top and bottom, beside and above
// the caption. Around it stands the frame the style draws for a plain
// button; with the keyboard's focus, the style's focus frame is drawn too,
// and the face is flat outside it.
void TestForm1Layout::reactionButtonFaceIsFlat()
{
    QFETCH(bool, enabled);
    QFETCH(bool, focused);
    QFETCH(int, scale);
    constexpr int Frame = 2; // outline and its light inner line
    FormFixture fixture;
    QPushButton *button = fixture.button("Command3");
    button->setEnabled(enabled);
    const QImage unfocused = rendered(button, scale);
    QRect focusFrame;
    if (focused) {
        fixture.form->show();
        fixture.form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(fixture.form.get()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY(button->hasFocus());
        QStyleOptionButton option;
        option.initFrom(button);
        const QRect frame = button->style()->subElementRect(QStyle::SE_PushButtonFocusRect, &option,
                                                            button);
        focusFrame = QRect(frame.topLeft() * scale, frame.size() * scale);
    }
    const QImage image = rendered(button, scale);
    const QRect face = image.rect().adjusted(Frame * scale, Frame * scale, -Frame * scale,
                                             -Frame * scale);
    QList<QPoint> samples;
    for (int y = face.top(); y <= face.bottom(); ++y)
        samples << QPoint(face.left(), y) << QPoint(face.right(), y);
    for (int x = face.left(); x <= face.right(); ++x)
        samples << QPoint(x, face.top()) << QPoint(x, face.bottom());
    int sampled = 0;
    for (const QPoint at : samples) {
        if (focusFrame.contains(at))
            continue;
        ++sampled;
        QVERIFY2(image.pixel(at) == qRgb(192, 192, 192),
                 qPrintable(QStringLiteral("face at %1,%2 is %3")
                                .arg(at.x())
                                .arg(at.y())
                                .arg(QColor(image.pixel(at)).name())));
    }
    QVERIFY(sampled > 2 * face.width());
    if (focused) {
        int marked = 0;
        for (int y = face.top(); y <= face.bottom(); ++y) {
            for (int x = face.left(); x <= face.right(); ++x)
                marked += image.pixel(x, y) != unfocused.pixel(x, y);
        }
        QVERIFY2(marked > 0, "no focus frame on the face");
        return;
    }
    QPushButton plain;
    plain.setPalette(button->palette());
    plain.resize(button->size());
    plain.setEnabled(enabled);
    const QImage style = rendered(&plain, scale);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (!face.contains(x, y) && image.pixel(x, y) != style.pixel(x, y))
                QFAIL(qPrintable(
                    QStringLiteral("the frame at %1,%2 is not the style's").arg(x).arg(y)));
        }
    }
}

void TestForm1Layout::reactionCaptionShowsTheState_data()
{
    QTest::addColumn<bool>("darkScheme");
    QTest::newRow("light default") << false;
    QTest::newRow("dark scheme") << true;
}

// The reaction button's caption is drawn in its palette's colour for the
// button's state, and a disabled caption is visibly lighter than a ready
// one, in every scheme: the darkest ink on the face is the caption's colour.
void TestForm1Layout::reactionCaptionShowsTheState()
{
    QFETCH(bool, darkScheme);
    const auto restore = qScopeGuard([] { QApplication::setPalette(QPalette()); });
    if (darkScheme)
        QApplication::setPalette(scheme(0x222020, 0x424245, 0xffffff, 0xffffff));
    FormFixture fixture;
    auto *button = fixture.form->findChild<WrappingButton *>("Command3");
    QVERIFY(button);
    QHash<bool, QRgb> darkest;
    for (const bool enabled : {true, false}) {
        button->setEnabled(enabled);
        const QImage image = rendered(button, 2);
        const QRect caption(button->captionRectangle().topLeft() * 2,
                            button->captionRectangle().size() * 2);
        QRgb ink = qRgb(255, 255, 255);
        for (int y = caption.top(); y <= caption.bottom(); ++y) {
            for (int x = caption.left(); x <= caption.right(); ++x) {
                if (qGray(image.pixel(x, y)) < qGray(ink))
                    ink = image.pixel(x, y);
            }
        }
        const QColor expected = button->palette().color(enabled ? QPalette::Active
                                                                : QPalette::Disabled,
                                                        QPalette::ButtonText);
        QVERIFY2(QColor(ink) == expected,
                 qPrintable(QStringLiteral("%1 caption drawn in %2, not %3")
                                .arg(enabled ? "ready" : "disabled", QColor(ink).name(),
                                     expected.name())));
        darkest.insert(enabled, ink);
    }
    QVERIFY2(qGray(darkest.value(false)) - qGray(darkest.value(true)) >= 64,
             "the disabled caption is not visibly lighter than the ready one");
}

void TestForm1Layout::textsReadInEveryScheme_data()
{
    QTest::addColumn<QPalette>("palette");
    QTest::addColumn<bool>("armed"); // with the link clicked, else held
    QTest::addColumn<bool>("switchedWhileShown");
    const QPalette dark = scheme(0x222020, 0x424245, 0xffffff, 0xffffff);
    QTest::newRow("dark") << dark << false << false;
    QTest::newRow("mid-grey, armed")
        << scheme(0x7f7f7f, 0x7f7f7f, 0x000000, 0x000000) << true << false;
    QTest::newRow("dark after light, armed") << dark << true << true;
    // Black captions on a red that the style paints lighter than the role.
    QTest::newRow("red buttons") << scheme(0xe8d8d8, 0xa02020, 0x000000, 0x000000) << false << true;
    // Windows go light while they are not active.
    QPalette dimmed = dark;
    dimmed.setColor(QPalette::Inactive, QPalette::Window, QColor(0xdcdcdc));
    dimmed.setColor(QPalette::Inactive, QPalette::WindowText, QColor(0x303030));
    QTest::newRow("light while inactive") << dimmed << false << false;
}

// The colours of checkSchemeColors() in every scheme, a scheme that comes
// while the window is shown too; nothing else changes.
void TestForm1Layout::textsReadInEveryScheme()
{
    QFETCH(QPalette, palette);
    QFETCH(bool, armed);
    QFETCH(bool, switchedWhileShown);
    const auto play = [armed](Form1 &form) {
        form.Label5_MouseDown();
        if (armed) {
            form.Command1_Click();
            form.Label5_MouseUp();
        }
    };
    FormFixture light;
    play(*light.form);
    const QColor lightGround = light.form->palette().color(QPalette::Window);
    QHash<QString, QColor> lit;
    for (const char *name : {"Label4", "Label5"})
        lit.insert(name, textColor(light.control(name), QPalette::Active));
    const auto restore = qScopeGuard([] { QApplication::setPalette(QPalette()); });
    if (!switchedWhileShown)
        QApplication::setPalette(palette);
    FormFixture fixture;
    fixture.form->show();
    play(*fixture.form);
    const QWidget *focus = fixture.form->focusWidget();
    QApplication::setPalette(palette);
    // qt6ct then hands the scheme to each widget as well, each after its
    // window; a control keeps its own colours at once.
    if (switchedWhileShown) {
        for (QWidget *widget : QApplication::allWidgets())
            widget->setPalette(palette);
        checkSchemeColors(fixture, palette, lightGround, lit);
        if (QTest::currentTestFailed())
            return;
    }
    // And once what the palette brings through the event loop is done.
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    checkSchemeColors(fixture, palette, lightGround, lit);
    QCOMPARE(fixture.form->focusWidget(), focus);
    QCOMPARE(fixture.timer("Timer1")->isActive(), armed);
}

void TestForm1Layout::tabOrderAndFocus()
{
    FormFixture fixture;
    const QStringList expected{"Label1",   "Command1", "Command2", "Label2",
                               "Command3", "Label3",   "Label4",   "Label5"};
    QStringList chain;
    QWidget *widget = fixture.control("Label1");
    do {
        if (expected.contains(widget->objectName()))
            chain << widget->objectName();
        widget = widget->nextInFocusChain();
    } while (widget != fixture.control("Label1"));
    QCOMPARE(chain, expected);
    QCOMPARE(fixture.form->focusWidget(), fixture.control("Command1"));

    // Tab stops at the enabled buttons and, last, at the link; a click on
    // the link leaves the focus where it was.
    fixture.form->show();
    fixture.form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(fixture.form.get()));
    QTest::mouseClick(fixture.control("Label5"), Qt::LeftButton);
    QStringList stops{QApplication::focusWidget()->objectName()};
    const auto tab = [&stops] {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        stops << QApplication::focusWidget()->objectName();
    };
    for (int stop = 0; stop < 3; ++stop)
        tab();
    fixture.form->Command1_Click();
    tab();
    QCOMPARE(stops, QStringList({"Command1", "Command2", "Label5", "Command1", "Label5"}));
}

void TestForm1Layout::circleIsLargestCentredInItsBox()
{
    FormFixture fixture;
    QWidget *shape = fixture.shape();
    QCOMPARE(shape->geometry(), QRect(144, 128, 121, 81));
    QVERIFY(shape->isHidden());
    QVERIFY(shape->testAttribute(Qt::WA_TransparentForMouseEvents));

    QImage image(shape->size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    shape->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    const QRgb red = qRgb(255, 0, 0);
    // Diameter 81 in a 121-wide box: the circle spans x 20..100.
    QCOMPARE(image.pixel(60, 40), red);
    QCOMPARE(image.pixel(22, 40), red);
    QCOMPARE(image.pixel(98, 40), red);
    QCOMPARE(image.pixel(60, 1), red);
    QCOMPARE(qAlpha(image.pixel(18, 40)), 0);
    QCOMPARE(qAlpha(image.pixel(102, 40)), 0);
    QCOMPARE(qAlpha(image.pixel(22, 2)), 0);
}

// The circle and the announcer are notifications, which screen readers
// present when they start showing; every other widget, a message box's too,
// keeps Qt's own role.
void TestForm1Layout::notificationsOnlyForTheCircleAndTheAnnouncer()
{
    FormFixture fixture;
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Auswertung"), QStringLiteral("Text"));
    QWidget plain;
    const QList<QWidget *> widgets = fixture.form->findChildren<QWidget *>()
                                     + box.findChildren<QWidget *>() + QList<QWidget *>{&plain};
    for (QWidget *widget : widgets) {
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(widget);
        QVERIFY(accessible);
        const bool notification = widget == fixture.shape() || qobject_cast<Announcer *>(widget);
        QVERIFY2((accessible->role() == QAccessible::Notification) == notification,
                 qPrintable(widget->objectName()));
    }
}

void TestForm1Layout::timers()
{
    FormFixture fixture;
    QTimer *timer1 = fixture.timer("Timer1");
    QTimer *timer2 = fixture.timer("Timer2");
    QVERIFY(!timer1->isActive());
    QCOMPARE(timer1->interval(), 500);
    QVERIFY(timer2->isActive());
    QCOMPARE(timer2->interval(), 100);
    QCOMPARE(timer1->timerType(), Qt::PreciseTimer);
}

void TestForm1Layout::layoutScalesWithDpi()
{
    FakeServices fakes;
    fakes.screen.twipsPerPixelX = 7.5; // 192 dpi
    fakes.screen.twipsPerPixelY = 7.5;
    Form1 form(fakes.services());
    QCOMPARE(form.findChild<QWidget *>("Command3")->geometry(), QRect(240, 528, 290, 146));
    QCOMPARE(form.findChild<QWidget *>("Shape1")->geometry(), QRect(288, 256, 242, 162));
    QCOMPARE(form.centralWidget()->minimumSize(), QSize(846, 686));
}

void TestForm1Layout::centredOnScreen()
{
    FormFixture fixture;
    Form1 &form = *fixture.form;
    form.centreOnScreen();
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const QPoint screenCentre = form.screen()->availableGeometry().center();
    const QPoint windowCentre = form.frameGeometry().center();
    QVERIFY2((windowCentre - screenCentre).manhattanLength() <= 2,
             qPrintable(QStringLiteral("window %1,%2 %3x%4 on screen %5,%6 %7x%8")
                            .arg(form.frameGeometry().x())
                            .arg(form.frameGeometry().y())
                            .arg(form.frameGeometry().width())
                            .arg(form.frameGeometry().height())
                            .arg(form.screen()->availableGeometry().x())
                            .arg(form.screen()->availableGeometry().y())
                            .arg(form.screen()->availableGeometry().width())
                            .arg(form.screen()->availableGeometry().height())));
}

void TestForm1Layout::loadSeedsTheGenerator()
{
    FormFixture fixture;
    QCOMPARE(fixture.fakes.random.randomizeCalls, 1);
    QCOMPARE(fixture.fakes.random.draws, 0);
}

QTEST_MAIN(TestForm1Layout)
#include "tst_form1layout.moc"
