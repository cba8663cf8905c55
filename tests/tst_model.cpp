// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

// Random event sequences against the real Form1 on stand-in services, each
// event checked against a small model of the attempt's states. A failing
// sequence is shrunk to the shortest one found that still fails and printed
// with its seed, so that it can be replayed:
//   KLAPPOMATIKUS_MODEL_SEED=<seed> KLAPPOMATIKUS_MODEL_RUNS=1 tst_model

#include "fakeservices.h"
#include "form1.h"
#include "messagetexts.h"

#include <QLabel>
#include <QLocale>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <cmath>
#include <cstdint>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

enum class Kind {
    ClickCommand1,
    ClickCommand2,
    ClickCommand3,
    TickTimer1,
    TickTimer2,
    Wait,
    ClickLink,
    PressLink,
    ReleaseLink,
    MoveOverLink,
    LeaveLink,
    MovePointer,
    CloseWindow,
};

struct Event
{
    Kind kind;
    std::uint32_t arg; // random value, used by the kinds that need one
};

using Sequence = std::vector<Event>;

const char *name(Kind kind)
{
    switch (kind) {
    case Kind::ClickCommand1: return "click Command1";
    case Kind::ClickCommand2: return "click Command2";
    case Kind::ClickCommand3: return "click Command3";
    case Kind::TickTimer1: return "Timer1 tick";
    case Kind::TickTimer2: return "Timer2 tick";
    case Kind::Wait: return "wait";
    case Kind::ClickLink: return "click Label5";
    case Kind::PressLink: return "press on Label5";
    case Kind::ReleaseLink: return "release on Label5";
    case Kind::MoveOverLink: return "move over Label5";
    case Kind::LeaveLink: return "leave Label5";
    case Kind::MovePointer: return "move pointer";
    case Kind::CloseWindow: return "close window";
    }
    return "?";
}

// A uniform single-precision value in [0, 1) from the event's random bits.
float unitValue(std::uint32_t arg)
{
    return static_cast<float>(arg >> 8) / 16777216.0f;
}

// Each event costs some time, so the counter never runs backwards; a wait
// lets up to 1.2 s pass.
constexpr std::uint64_t EventCostNs = 500'000;
std::uint64_t waitNs(std::uint32_t arg)
{
    return arg % 1'200'000'000u;
}

// Weights of the event kinds; early presses end a sequence quickly, so the
// arming and the ticks come more often than the reaction button.
Kind drawKind(std::mt19937_64 &rng)
{
    struct Weighted
    {
        Kind kind;
        int weight;
    };
    static constexpr Weighted table[] = {
        {Kind::ClickCommand1, 40}, {Kind::ClickCommand2, 1}, {Kind::ClickCommand3, 36},
        {Kind::TickTimer1, 36},    {Kind::TickTimer2, 15},   {Kind::Wait, 45},
        {Kind::ClickLink, 8},      {Kind::PressLink, 5},     {Kind::ReleaseLink, 5},
        {Kind::MoveOverLink, 8},   {Kind::LeaveLink, 5},     {Kind::MovePointer, 10},
        {Kind::CloseWindow, 1},
    };
    int total = 0;
    for (const Weighted &entry : table)
        total += entry.weight;
    int pick = static_cast<int>(rng() % static_cast<std::uint64_t>(total));
    for (const Weighted &entry : table) {
        if (pick < entry.weight)
            return entry.kind;
        pick -= entry.weight;
    }
    return Kind::Wait;
}

Sequence generate(std::uint64_t seed, int maxLength)
{
    std::mt19937_64 rng(seed);
    const int length = 1 + static_cast<int>(rng() % static_cast<std::uint64_t>(maxLength));
    Sequence sequence;
    sequence.reserve(static_cast<std::size_t>(length));
    for (int i = 0; i < length; ++i) {
        const Kind kind = drawKind(rng);
        sequence.push_back({kind, static_cast<std::uint32_t>(rng())});
    }
    return sequence;
}

std::string describe(const Sequence &sequence)
{
    std::string text;
    for (std::size_t i = 0; i < sequence.size(); ++i) {
        text += "  " + std::to_string(i + 1) + ". " + name(sequence[i].kind);
        switch (sequence[i].kind) {
        case Kind::ClickCommand1:
        case Kind::ClickCommand3:
            text += " (Rnd " + std::to_string(unitValue(sequence[i].arg)) + ")";
            break;
        case Kind::Wait:
            text += " " + std::to_string(static_cast<double>(waitNs(sequence[i].arg)) / 1e6)
                    + " ms";
            break;
        default: break;
        }
        text += "\n";
    }
    return text;
}

enum class State { Idle, Armed, Stimulus, Result, Ended };

const char *name(State state)
{
    switch (state) {
    case State::Idle: return "Idle";
    case State::Armed: return "Armed";
    case State::Stimulus: return "Stimulus";
    case State::Result: return "Result";
    case State::Ended: return "Ended";
    }
    return "?";
}

const QString EarlyPressPrompt = QString::fromUtf8(MessageTexts::EarlyPressPrompt);
const QString EarlyPressTitle = QString::fromUtf8(MessageTexts::EarlyPressTitle);
const QString VerdictTitle = QString::fromUtf8(MessageTexts::VerdictTitle);

// What the attempt should look like, moved along by the same events.
struct Model
{
    State state = State::Idle;
    int pressCount = 0;
    int expectedInterval = 0;
    std::uint64_t startReadingNs = 0;
    double expectedSeconds = 0.0;
    int measurements = 0;
    int shellCalls = 0;
    int expectedEndCalls = 0;
    bool earlyBox = false;
    bool everStimulated = false;
    bool linkPressed = false;
};

// Totals over all sequences, to show that the generator reaches every state.
struct Coverage
{
    int measurements = 0;
    int earlyEnds = 0;
    int quits = 0;
    int closes = 0;
    int negativeTimes = 0;
    int longestAttempts = 0;
};

class Runner
{
public:
    explicit Runner(Coverage *coverage = nullptr)
        : m_coverage(coverage)
    {
    }

    // Runs the sequence on a fresh window; the first broken rule, if any.
    std::optional<std::string> run(const Sequence &sequence)
    {
        m_fakes = std::make_unique<FakeServices>();
        m_fakes->counter.nowNs = 1'000'000'000;
        m_fakes->counter.readStepNs = 100'000;
        m_form = std::make_unique<Form1>(m_fakes->services());
        m_model = Model{};
        m_boxProblem.clear();
        m_fakes->messageBoxes.whileOpen = [this](const ShownMessage &message) {
            checkWhileBoxOpen(message);
        };

        std::optional<std::string> failure = check();
        for (std::size_t i = 0; !failure && i < sequence.size(); ++i) {
            failure = step(sequence[i]);
            if (!failure)
                failure = check();
            if (failure)
                *failure = "after event " + std::to_string(i + 1) + " (" + name(sequence[i].kind)
                           + "): " + *failure;
            if (m_model.state == State::Ended)
                break;
        }
        if (m_coverage && !failure) {
            m_coverage->measurements += m_model.measurements;
            m_coverage->longestAttempts = std::max(m_coverage->longestAttempts,
                                                   m_model.measurements);
        }
        m_form.reset();
        return failure;
    }

private:
    template<typename T = QWidget>
    T *child(const char *objectName) const
    {
        return m_form->findChild<T *>(QString::fromLatin1(objectName));
    }

    FakeCounter &counter() const { return m_fakes->counter; }

    void tally(int Coverage::*total) const
    {
        if (m_coverage)
            ++(m_coverage->*total);
    }

    void sendMouse(QWidget *target, QEvent::Type type, Qt::MouseButton button,
                   Qt::MouseButtons buttons)
    {
        const QPoint at = target->rect().center();
        QMouseEvent event(type, at, target->mapToGlobal(at), button, buttons, Qt::NoModifier);
        // A second apart: no two presses make a double-click.
        m_mouseMs += 1000;
        event.setTimestamp(m_mouseMs);
        QCoreApplication::sendEvent(target, &event);
    }

    // Sends the event to the window and moves the model along with it.
    std::optional<std::string> step(const Event &event)
    {
        counter().advance(EventCostNs);
        m_fakes->random.next = unitValue(event.arg);
        const int readsBefore = counter().readCount;
        const qsizetype boxesBefore = m_fakes->messageBoxes.shown.size();

        std::optional<std::string> failure;
        switch (event.kind) {
        case Kind::ClickCommand1: arm(); break;
        case Kind::ClickCommand2:
            QTest::mouseClick(child<QPushButton>("Command2"), Qt::LeftButton);
            endProgram(&Coverage::quits);
            break;
        case Kind::ClickCommand3: failure = react(readsBefore); break;
        case Kind::TickTimer1: failure = showStimulus(readsBefore); break;
        case Kind::TickTimer2: m_form->Timer2_Timer(); break;
        case Kind::Wait: counter().advance(waitNs(event.arg)); break;
        case Kind::ClickLink:
        case Kind::PressLink:
        case Kind::ReleaseLink:
        case Kind::MoveOverLink:
        case Kind::LeaveLink: useLink(event.kind); break;
        case Kind::MovePointer:
            m_fakes->pointer.cursor.x = static_cast<int>(event.arg % 1024);
            m_fakes->pointer.cursor.y = static_cast<int>((event.arg >> 10) % 768);
            break;
        case Kind::CloseWindow:
            m_form->close();
            m_model.state = State::Ended;
            tally(&Coverage::closes);
            break;
        }
        if (failure)
            return failure;

        const bool measured = m_model.state == State::Result
                              && m_fakes->messageBoxes.shown.size() > boxesBefore;
        if (!measured && event.kind != Kind::TickTimer1 && counter().readCount != readsBefore)
            return "the counter was read outside the stimulus and the measurement";
        return std::nullopt;
    }

    void endProgram(int Coverage::*total)
    {
        m_model.state = State::Ended;
        m_model.expectedEndCalls = 1;
        tally(total);
    }

    // Command1 arms from Idle and Result; the draw sets Timer1's interval.
    void arm()
    {
        QTest::mouseClick(child<QPushButton>("Command1"), Qt::LeftButton);
        if (m_model.state != State::Idle && m_model.state != State::Result)
            return;
        m_model.state = State::Armed;
        m_model.pressCount = 0;
        m_model.expectedSeconds = 0.0;
        m_model.expectedInterval = static_cast<int>(
            std::floor(static_cast<double>(m_fakes->random.next) * 5000.0 + 1000.0));
    }

    // Command3: an early press counts and the third ends the program; a
    // press on the circle measures.
    std::optional<std::string> react(int readsBefore)
    {
        QTest::mouseClick(child<QPushButton>("Command3"), Qt::LeftButton);
        if (m_model.state == State::Armed) {
            if (++m_model.pressCount == 3) {
                endProgram(&Coverage::earlyEnds);
                m_model.earlyBox = true;
            }
        } else if (m_model.state == State::Stimulus) {
            ++m_model.pressCount;
            measure();
            if (counter().readCount - readsBefore != 1)
                return "a measured press read the counter "
                       + std::to_string(counter().readCount - readsBefore)
                       + " times instead of once";
        }
        return std::nullopt;
    }

    // Halt reads the counter at the moment of the click; one reading costs
    // what the calibration measured.
    void measure()
    {
        const double elapsedMs = (static_cast<double>(counter().nowNs)
                                  - static_cast<double>(m_model.startReadingNs))
                                     / 1e6
                                 - static_cast<double>(counter().readStepNs) / 1e6;
        m_model.expectedSeconds = (elapsedMs - 50.0) / 1000.0;
        m_model.state = State::Result;
        ++m_model.measurements;
        if (m_model.expectedSeconds < 0)
            tally(&Coverage::negativeTimes);
    }

    std::optional<std::string> showStimulus(int readsBefore)
    {
        // The toolkit only ticks a running timer.
        if (!child<QTimer>("Timer1")->isActive())
            return std::nullopt;
        m_form->Timer1_Timer();
        if (m_model.state != State::Armed)
            return std::nullopt;
        m_model.state = State::Stimulus;
        m_model.everStimulated = true;
        // Calibrieren's two readings come first, Start's is the third.
        m_model.startReadingNs = counter().nowNs + 2 * counter().readStepNs;
        if (counter().readCount - readsBefore != 3)
            return "the stimulus read the counter "
                   + std::to_string(counter().readCount - readsBefore)
                   + " times instead of three (two to calibrate, one to start)";
        return std::nullopt;
    }

    // Label5 opens the homepage on a click, or on a release over it after a
    // press on it.
    void useLink(Kind kind)
    {
        QWidget *link = child("Label5");
        switch (kind) {
        case Kind::ClickLink:
            sendMouse(link, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton);
            sendMouse(link, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton);
            ++m_model.shellCalls;
            m_model.linkPressed = false;
            break;
        case Kind::PressLink:
            sendMouse(link, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton);
            m_model.linkPressed = true;
            break;
        case Kind::ReleaseLink:
            sendMouse(link, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton);
            if (m_model.linkPressed)
                ++m_model.shellCalls;
            m_model.linkPressed = false;
            break;
        case Kind::MoveOverLink:
            sendMouse(link, QEvent::MouseMove, Qt::NoButton, Qt::NoButton);
            break;
        default: {
            QEvent leave(QEvent::Leave);
            QCoreApplication::sendEvent(link, &leave);
            break;
        }
        }
    }

    // While the verdict box is open the window shows the circle and "Ihre
    // Reaktionszeit ist", not yet the time.
    void checkWhileBoxOpen(const ShownMessage &message)
    {
        if (message.title != VerdictTitle)
            return;
        if (child("Label1")->isHidden())
            m_boxProblem += "Label1 hidden while the verdict box is open; ";
        if (child("Shape1")->isHidden())
            m_boxProblem += "the circle hidden while the verdict box is open; ";
        if (!child("Label3")->isHidden())
            m_boxProblem += "the time visible while the verdict box is open; ";
    }

    static std::string flag(const char *what, bool actual, bool expected)
    {
        return std::string(what) + " is " + (actual ? "true" : "false") + ", expected "
               + (expected ? "true" : "false");
    }

    std::string inState() const { return std::string(" in state ") + name(m_model.state); }

    bool armedOrStimulus() const
    {
        return m_model.state == State::Armed || m_model.state == State::Stimulus;
    }

    // The window and what the stand-ins recorded against the model.
    std::optional<std::string> check()
    {
        std::optional<std::string> failure = checkEnding();
        if (!failure)
            failure = checkBoxes();
        if (!failure)
            failure = checkAttempt();
        if (m_model.state == State::Ended)
            return failure;
        if (!failure)
            failure = checkControls();
        if (!failure && armedOrStimulus())
            failure = checkArmed();
        if (!failure && m_model.state == State::Result)
            failure = checkResult();
        return failure;
    }

    std::optional<std::string> checkEnding() const
    {
        const RecordingLifetime &lifetime = m_fakes->lifetime;
        if (!lifetime.fatalErrors.isEmpty())
            return "fatal error: " + lifetime.fatalErrors.first().toStdString();
        if (lifetime.endCalls != m_model.expectedEndCalls)
            return "end() called " + std::to_string(lifetime.endCalls) + " times, expected "
                   + std::to_string(m_model.expectedEndCalls) + inState();
        if (!m_boxProblem.empty())
            return m_boxProblem;
        return std::nullopt;
    }

    // One verdict per measurement, the warning only on the guard.
    std::optional<std::string> checkBoxes() const
    {
        const Model &m = m_model;
        const QList<ShownMessage> &boxes = m_fakes->messageBoxes.shown;
        const int expectedBoxes = m.measurements + (m.earlyBox ? 1 : 0);
        if (boxes.size() != expectedBoxes)
            return std::to_string(boxes.size()) + " message boxes shown, expected "
                   + std::to_string(expectedBoxes) + inState();
        for (int i = 0; i < boxes.size(); ++i) {
            const bool warning = m.earlyBox && i == boxes.size() - 1;
            const QString title = warning ? EarlyPressTitle : VerdictTitle;
            if (boxes[i].title != title || boxes[i].style != MessageBoxStyle::ExclamationOk)
                return "box " + std::to_string(i + 1) + " has title \""
                       + boxes[i].title.toStdString() + "\"";
            if (warning && boxes[i].prompt != EarlyPressPrompt)
                return "the early-press warning has the wrong prompt";
        }
        if (m.measurements > 0 && !m.earlyBox && boxes.last().prompt != m_form->verdictText())
            return "the last verdict box does not show VerdictText";
        return std::nullopt;
    }

    // Homepage openings, PressCount, and the stopwatch: created at the first
    // stimulus and kept (each stopwatch asks for the counter's frequency once).
    std::optional<std::string> checkAttempt() const
    {
        const Model &m = m_model;
        if (m_fakes->shell.calls.size() != m.shellCalls)
            return std::to_string(m_fakes->shell.calls.size()) + " homepage openings, expected "
                   + std::to_string(m.shellCalls);

        if (m_form->pressCount() > 3)
            return "PressCount is " + std::to_string(m_form->pressCount());
        if (m_form->pressCount() != m.pressCount)
            return "PressCount is " + std::to_string(m_form->pressCount()) + ", expected "
                   + std::to_string(m.pressCount) + inState();

        const int stopwatches = counter().frequencyQueries;
        if (!m.everStimulated && stopwatches != 0)
            return "the stopwatch exists before the first stimulus";
        if (m.everStimulated && stopwatches != 1)
            return std::to_string(stopwatches) + " stopwatches created, expected one";
        return std::nullopt;
    }

    // Which controls are enabled and shown in each state.
    std::optional<std::string> checkControls() const
    {
        const State state = m_model.state;
        const bool command1 = child("Command1")->isEnabled();
        const bool command3 = child("Command3")->isEnabled();
        const bool timer1 = child<QTimer>("Timer1")->isActive();
        const bool circle = !child("Shape1")->isHidden();
        const bool label1 = !child("Label1")->isHidden();
        const bool label3 = !child("Label3")->isHidden();

        if (!child("Command2")->isEnabled() || child("Command2")->isHidden())
            return "Command2 cannot be clicked" + inState();
        if (command1 == armedOrStimulus())
            return flag("Command1 enabled", command1, !armedOrStimulus()) + inState();
        if (command3 != armedOrStimulus())
            return flag("Command3 enabled", command3, armedOrStimulus()) + inState();
        if (timer1 != (state == State::Armed))
            return flag("Timer1 running", timer1, state == State::Armed) + inState();
        if (circle != (state == State::Stimulus))
            return flag("the circle shown", circle, state == State::Stimulus) + inState();
        if (label1 != (state == State::Result))
            return flag("Label1 shown", label1, state == State::Result) + inState();
        if (label3 != (state == State::Result || state == State::Idle))
            return flag("Label3 shown", label3, !armedOrStimulus()) + inState();
        if (state == State::Idle && !child<QLabel>("Label3")->text().isEmpty())
            return "Label3 is not empty before the first measurement";
        return std::nullopt;
    }

    // Timer1 runs with the drawn interval; no reaction time yet.
    std::optional<std::string> checkArmed() const
    {
        if (m_model.state == State::Armed) {
            const int interval = child<QTimer>("Timer1")->interval();
            if (interval != m_model.expectedInterval || interval < 1000 || interval > 5999)
                return "Timer1 interval " + std::to_string(interval) + ", expected "
                       + std::to_string(m_model.expectedInterval);
        }
        if (m_form->reactionTime() != 0.0f)
            return "ReactionTime is not 0 while armed";
        return std::nullopt;
    }

    // The reaction time the counter's readings give, and Label3 showing it.
    std::optional<std::string> checkResult() const
    {
        const double actual = static_cast<double>(m_form->reactionTime());
        const double expected = m_model.expectedSeconds;
        const double tolerance = std::max(1e-6, std::abs(expected) * 1e-6);
        if (std::abs(actual - expected) > tolerance)
            return "ReactionTime " + std::to_string(actual) + " s, expected "
                   + std::to_string(expected) + " s";
        const QString label3Text = child<QLabel>("Label3")->text();
        const QString suffix = QStringLiteral(" Sekunden");
        bool ok = false;
        const double shown = label3Text.endsWith(suffix)
                                 ? QLocale().toDouble(label3Text.chopped(suffix.size()), &ok)
                                 : 0.0;
        if (!ok || std::abs(shown - actual) > 0.0005 + 1e-9)
            return "Label3 shows \"" + label3Text.toStdString() + "\" for " + std::to_string(actual)
                   + " s";
        return std::nullopt;
    }

    Coverage *m_coverage;
    std::unique_ptr<FakeServices> m_fakes;
    std::unique_ptr<Form1> m_form;
    Model m_model;
    quint64 m_mouseMs = 0;
    std::string m_boxProblem;
};

// Removes chunks of events, large ones first, as long as the sequence still
// fails; the result is the shortest failing sequence this finds.
Sequence shrink(Sequence failing, Runner &runner)
{
    bool progress = true;
    while (progress) {
        progress = false;
        for (std::size_t chunk = std::max<std::size_t>(failing.size() / 2, 1); chunk >= 1;
             chunk /= 2) {
            for (std::size_t at = 0; at + chunk <= failing.size();) {
                Sequence candidate = failing;
                candidate.erase(candidate.begin() + static_cast<std::ptrdiff_t>(at),
                                candidate.begin() + static_cast<std::ptrdiff_t>(at + chunk));
                if (runner.run(candidate)) {
                    failing = std::move(candidate);
                    progress = true;
                } else {
                    at += chunk;
                }
            }
            if (chunk == 1)
                break;
        }
    }
    return failing;
}

std::uint64_t environmentNumber(const char *variable, std::uint64_t fallback)
{
    const QByteArray value = qgetenv(variable);
    bool ok = false;
    const qulonglong number = value.toULongLong(&ok, 0);
    return ok ? number : fallback;
}

} // namespace

class TestModel : public QObject
{
    Q_OBJECT

private slots:
    void randomSequencesFollowTheStateTable();
};

void TestModel::randomSequencesFollowTheStateTable()
{
    const std::uint64_t baseSeed = environmentNumber("KLAPPOMATIKUS_MODEL_SEED", 20261208);
    const std::uint64_t runs = environmentNumber("KLAPPOMATIKUS_MODEL_RUNS", 5000);
    constexpr int MaxLength = 80;

    Coverage coverage;
    Runner runner(&coverage);
    for (std::uint64_t i = 0; i < runs; ++i) {
        const std::uint64_t seed = baseSeed + i;
        const Sequence sequence = generate(seed, MaxLength);
        const std::optional<std::string> failure = runner.run(sequence);
        if (!failure)
            continue;
        Runner quiet;
        const Sequence shortest = shrink(sequence, quiet);
        const std::string message =
            "seed " + std::to_string(seed) + ": " + quiet.run(shortest).value_or(*failure)
            + "\nshortest failing sequence (" + std::to_string(shortest.size()) + " of "
            + std::to_string(sequence.size()) + " events):\n" + describe(shortest);
        QFAIL(message.c_str());
    }

    // A generator that never reaches a state proves nothing about it.
    if (runs >= 1000) {
        QVERIFY2(coverage.measurements > 500, "too few measured attempts");
        QVERIFY2(coverage.longestAttempts >= 5, "no sequence ran several attempts");
        QVERIFY2(coverage.earlyEnds > 50, "too few early-press endings");
        QVERIFY2(coverage.quits > 50, "too few Command2 endings");
        QVERIFY2(coverage.closes > 50, "too few closed windows");
        QVERIFY2(coverage.negativeTimes > 0, "no reaction below 50 ms");
    }
    qInfo("%llu sequences: %d measurements, %d early-press endings, %d quits, %d closes, "
          "%d negative times, at most %d attempts in one sequence",
          static_cast<unsigned long long>(runs), coverage.measurements, coverage.earlyEnds,
          coverage.quits, coverage.closes, coverage.negativeTimes, coverage.longestAttempts);
}

QTEST_MAIN(TestModel)
#include "tst_model.moc"
