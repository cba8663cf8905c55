// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

// The buttons hand a click to its handler before they repaint, and still
// repaint right after.

#include "wrappingbutton.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

namespace {

// Counts the paint events the button receives.
class PaintCounter : public QObject
{
public:
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

} // namespace

class TestWrappingButton : public QObject
{
    Q_OBJECT

private slots:
    void clickReachesHandlerBeforeRepaint_data();
    void clickReachesHandlerBeforeRepaint();
    void releaseOutsideIsNoClick();
    void heldPressShowsThePressedLook();
};

void TestWrappingButton::clickReachesHandlerBeforeRepaint_data()
{
    QTest::addColumn<bool>("keyboard");
    QTest::newRow("mouse") << false;
    QTest::newRow("space key") << true;
}

void TestWrappingButton::clickReachesHandlerBeforeRepaint()
{
    QFETCH(bool, keyboard);
    QWidget window;
    window.resize(300, 200);
    auto *button = new WrappingButton(QStringLiteral("Sobald Sie den Kreis sehen, klicken Sie"),
                                      &window);
    button->setGeometry(20, 20, 145, 73);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    button->setFocus();
    QCoreApplication::processEvents();

    PaintCounter counter;
    button->installEventFilter(&counter);
    int paintsSeenByHandler = -1;
    bool updatesOnInHandler = false;
    int clicks = 0;
    QObject::connect(button, &QPushButton::clicked, button, [&] {
        ++clicks;
        paintsSeenByHandler = counter.paints;
        // A modal box opened here must still let the button repaint.
        updatesOnInHandler = button->updatesEnabled();
    });

    if (keyboard) {
        QTest::keyPress(button, Qt::Key_Space);
        QTest::keyRelease(button, Qt::Key_Space);
    } else {
        QTest::mousePress(button, Qt::LeftButton);
        QTest::mouseRelease(button, Qt::LeftButton);
    }
    QCOMPARE(clicks, 1);
    QCOMPARE(paintsSeenByHandler, 0);
    QVERIFY(updatesOnInHandler);
    QVERIFY(button->updatesEnabled());
    QVERIFY(!button->isDown());
    // The repaint that was held back follows at the next paint pass.
    QVERIFY(QTest::qWaitFor([&counter] { return counter.paints > 0; }));
}

void TestWrappingButton::releaseOutsideIsNoClick()
{
    WrappingButton button(QStringLiteral("Ich bin bereit"));
    button.resize(81, 25);
    QSignalSpy clicked(&button, &QPushButton::clicked);
    QTest::mousePress(&button, Qt::LeftButton);
    QVERIFY(button.isDown());
    QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(200, 200));
    QCOMPARE(clicked.count(), 0);
    QVERIFY(!button.isDown());
    QVERIFY(button.updatesEnabled());
}

void TestWrappingButton::heldPressShowsThePressedLook()
{
    QWidget window;
    window.resize(300, 200);
    auto *button = new WrappingButton(QStringLiteral("Ich bin bereit"), &window);
    button->setGeometry(20, 20, 81, 25);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCoreApplication::processEvents();

    PaintCounter counter;
    button->installEventFilter(&counter);
    QTest::mousePress(button, Qt::LeftButton);
    // A press that is held shows its look a few milliseconds later.
    QElapsedTimer held;
    held.start();
    QVERIFY(QTest::qWaitFor([&counter] { return counter.paints > 0; }));
    QVERIFY2(held.elapsed() < 1000, "the pressed look came a second or more late");
    QVERIFY(button->isDown());
    QVERIFY(button->updatesEnabled());
    QTest::mouseRelease(button, Qt::LeftButton);
}

QTEST_MAIN(TestWrappingButton)
#include "tst_wrappingbutton.moc"
