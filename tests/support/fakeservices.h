// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "services.h"

#include <QList>
#include <QString>

#include <cstdint>
#include <deque>
#include <functional>

// Stand-ins for the platform in tests and benchmarks: nothing here waits for
// real time, opens a window of its own or ends the process.

// A counter on a virtual clock in nanoseconds that the caller moves.
// Scripted readings come first, in order, and each sets the clock; after
// that every reading within one moment lies `readStepNs` after the previous
// one, as a real counter read back to back would (0: the last reading
// repeats).
class FakeCounter : public PerformanceCounter
{
public:
    std::uint64_t frequency = 1'000'000'000;
    std::deque<std::uint64_t> readings;
    std::uint64_t nowNs = 0;
    std::uint64_t readStepNs = 0;
    int readCount = 0;
    // Each stopwatch asks once, when it is created.
    int frequencyQueries = 0;

    void advance(std::uint64_t ns);
    void QueryPerformanceCounter(LargeInteger &count) override;
    void QueryPerformanceFrequency(LargeInteger &value) override;

private:
    std::uint64_t m_readsThisMoment = 0;
};

// Returns scripted values in order, then `next` on every draw; counts the
// draws.
class ScriptedRandom : public RandomNumbers
{
public:
    std::deque<float> values;
    float next = 0.0f;
    int draws = 0;
    int randomizeCalls = 0;

    void Randomize() override { ++randomizeCalls; }
    float Rnd() override;
};

struct ShownMessage
{
    QString prompt;
    MessageBoxStyle style;
    QString title;
};

// Records every box and returns at once, as if the user pressed OK. A hook
// runs while the box is "open", to look at the window at that moment.
class RecordingMessageBoxes : public MessageBoxes
{
public:
    QList<ShownMessage> shown;
    std::function<void(const ShownMessage &)> whileOpen;

    void show(const QString &prompt, MessageBoxStyle style, const QString &title) override;
};

// Records the calls and returns, where the real one ends the process: what
// a handler does after one of them never happens in the program.
class RecordingLifetime : public ProgramLifetime
{
public:
    int endCalls = 0;
    QStringList fatalErrors;

    void end() override { ++endCalls; }
    void fatalError(const QString &message) override { fatalErrors << message; }
    bool hasEnded() const { return endCalls > 0 || !fatalErrors.isEmpty(); }
};

struct ShellCall
{
    WindowHandle parent;
    QString operation;
    QString file;
    QString parameters;
    QString directory;
    int showCommand;
};

class RecordingShell : public DesktopShell
{
public:
    QList<ShellCall> calls;

    void ShellExecuteA(WindowHandle parent, const QString &operation, const QString &file,
                       const QString &parameters, const QString &directory,
                       int showCommand) override
    {
        calls.append({parent, operation, file, parameters, directory, showCommand});
    }
};

// A pointer and window origin that the test moves by hand.
class FakePointer : public PointerServices
{
public:
    ScreenPoint cursor;
    ScreenPoint clientOrigin;
    bool global = true;
    int doubleClickMs = 400;

    void GetCursorPos(ScreenPoint &point) override { point = cursor; }
    void ClientToScreen(WindowHandle, ScreenPoint &point) override
    {
        point.x += clientOrigin.x;
        point.y += clientOrigin.y;
    }
    bool tracksGlobalPointer() const override { return global; }
    int doubleClickInterval() const override { return doubleClickMs; }
};

class FakeScreen : public ScreenMetrics
{
public:
    double twipsPerPixelX = TwipsPerPixelAt96Dpi;
    double twipsPerPixelY = TwipsPerPixelAt96Dpi;
    QString appPath = QStringLiteral("/opt/klappomatikus/bin");

    double TwipsPerPixelX() const override { return twipsPerPixelX; }
    double TwipsPerPixelY() const override { return twipsPerPixelY; }
    QString AppPath() const override { return appPath; }
};

// One of each stand-in, wired together.
struct FakeServices
{
    FakeCounter counter;
    ScriptedRandom random;
    RecordingMessageBoxes messageBoxes;
    RecordingLifetime lifetime;
    RecordingShell shell;
    FakePointer pointer;
    FakeScreen screen;

    Services services()
    {
        return {counter, random, messageBoxes, lifetime, shell, pointer, screen};
    }
};
