// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "startfailurereport.h"

#include <QMessageLogContext>
#include <QString>

#include <sys/types.h>
#include <vector>

// Lives while the QApplication is constructed. Should Qt fail to start
// (no display it can open, a platform plugin or a library missing), its
// fatal report becomes one line of the program's own on standard error and
// exit status 1, instead of Qt's abort. Meanwhile Qt's messages and what
// the libraries below it write to standard error are held back: after a
// start that works they are passed on unchanged and in order, after one that
// fails they are folded into the line.
class StartFailureGuard
{
public:
    // Reads the display and platform options from main's arguments before
    // Qt takes them away.
    StartFailureGuard(int argc, char **argv);
    ~StartFailureGuard();
    Q_DISABLE_COPY_MOVE(StartFailureGuard)

private:
    struct HeldMessage
    {
        QtMsgType type;
        QByteArray category, file, function;
        int line;
        QString text;
        off_t written; // how much had reached standard error before it
    };

    static void handle(QtMsgType type, const QMessageLogContext &context, const QString &text);
    void hold(QtMsgType type, const QMessageLogContext &context, const QString &text);
    [[noreturn]] void fail(const QString &fatal);
    std::vector<StartFailureReport::Attempt> attempts();
    void stopHoldingStandardError();
    void passOn(const HeldMessage &message) const;
    std::string heldOutput(off_t from, off_t to) const;

    StartFailureReport::Invocation invocation;
    int standardError = -1; // the real one, while `held` stands in for it
    int held = -1;
    std::vector<HeldMessage> messages;
};
