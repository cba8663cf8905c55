// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "startfailureguard.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QPluginLoader>

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <optional>

namespace {

using StartFailureReport::Attempt;

// A message handler is a plain function: it finds the guard here. Guards
// the messages, which other threads of Qt may add to.
std::mutex guardMutex;
StartFailureGuard *active = nullptr;
// The handler before the guard: held messages go on to it, and so does one
// that comes once the guard has gone.
QtMessageHandler previousHandler = nullptr;

std::string variable(const char *name)
{
    const char *value = std::getenv(name);
    return value ? value : "";
}

// The value of one of Qt's own options, -name or --name; the last counts.
std::string option(int argc, char **argv, const std::string &name)
{
    std::string value;
    for (int index = 1; index + 1 < argc; ++index) {
        const std::string argument = argv[index];
        if (argument == "-" + name || argument == "--" + name)
            value = argv[++index];
    }
    return value;
}

const char *orNull(const QByteArray &text)
{
    return text.isNull() ? nullptr : text.constData();
}

// The dynamic linker's word on a library, such as one it needs that is
// missing; empty when it loads.
QString loadError(const QString &path)
{
    void *library = ::dlopen(QFile::encodeName(path).constData(), RTLD_LAZY | RTLD_LOCAL);
    if (library) {
        ::dlclose(library);
        return {};
    }
    const char *error = ::dlerror();
    return error ? QString::fromLocal8Bit(error) : QStringLiteral("dlopen");
}

// Why the platform plugin Qt knows as `key` does not load, empty when it
// does; none when no plugin of Qt's has that key.
std::optional<QString> pluginLoadError(const QString &key)
{
    QStringList folders = QCoreApplication::libraryPaths();
    for (QString &folder : folders)
        folder += QStringLiteral("/platforms");
    if (const QString own = qEnvironmentVariable("QT_QPA_PLATFORM_PLUGIN_PATH"); !own.isEmpty())
        folders.prepend(own);
    for (const QString &folder : std::as_const(folders)) {
        const QDir directory(folder);
        for (const QString &file : directory.entryList(QDir::Files)) {
            // Reading the keys does not load the library.
            QPluginLoader loader(directory.filePath(file));
            const QJsonArray keys = loader.metaData()
                                        .value(QStringLiteral("MetaData"))
                                        .toObject()
                                        .value(QStringLiteral("Keys"))
                                        .toArray();
            for (const auto &found : keys) {
                if (found.toString().compare(key, Qt::CaseInsensitive) == 0)
                    return loadError(directory.filePath(file));
            }
        }
    }
    return std::nullopt;
}

// Lines of text written below Qt, one reason each.
void addLines(std::vector<std::string> &reasons, const std::string &output)
{
    std::size_t start = 0;
    while (start < output.size()) {
        std::size_t end = output.find('\n', start);
        end = end == std::string::npos ? output.size() : end;
        if (end > start)
            reasons.push_back(output.substr(start, end - start));
        start = end + 1;
    }
}

// Qt names the plugin it gave up on in quotes; its other hints name none.
QString quotedName(const QString &text)
{
    const qsizetype open = text.indexOf(QLatin1Char('"'));
    const qsizetype close = open < 0 ? -1 : text.indexOf(QLatin1Char('"'), open + 1);
    return close < 0 ? QString() : text.mid(open + 1, close - open - 1);
}

Attempt::Failure pluginFailure(const QString &platform, std::vector<std::string> &reasons)
{
    const std::optional<QString> error = pluginLoadError(platform);
    if (!error)
        return Attempt::Failure::PluginMissing;
    if (error->isEmpty())
        return Attempt::Failure::Other;
    reasons.push_back(error->toStdString());
    return Attempt::Failure::PluginUnloadable;
}

} // namespace

StartFailureGuard::StartFailureGuard(int argc, char **argv)
    : invocation{argc > 0 && argv[0] && *argv[0] ? argv[0] : "klappomatikus",
                 option(argc, argv, "display"),
                 option(argc, argv, "platform"),
                 variable("QT_QPA_PLATFORM"),
                 variable("DISPLAY"),
                 variable("WAYLAND_DISPLAY")}
{
    std::fflush(stderr);
    if (::fcntl(STDERR_FILENO, F_GETFD) != -1)
        held = ::memfd_create("klappomatikus-start", MFD_CLOEXEC);
    if (held >= 0)
        standardError = ::fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 3);
    if (standardError < 0 || ::dup2(held, STDERR_FILENO) < 0) {
        stopHoldingStandardError();
        if (held >= 0)
            ::close(held);
        held = -1;
    }
    const std::lock_guard lock(guardMutex);
    active = this;
    previousHandler = qInstallMessageHandler(handle);
}

StartFailureGuard::~StartFailureGuard()
{
    qInstallMessageHandler(previousHandler);
    const std::lock_guard lock(guardMutex);
    active = nullptr;
    stopHoldingStandardError();
    off_t passed = 0;
    for (const HeldMessage &message : messages) {
        const std::string output = heldOutput(passed, message.written);
        passed = message.written;
        std::fwrite(output.data(), 1, output.size(), stderr);
        passOn(message);
    }
    if (held >= 0) {
        const std::string output = heldOutput(passed, ::lseek(held, 0, SEEK_END));
        std::fwrite(output.data(), 1, output.size(), stderr);
        ::close(held);
    }
}

void StartFailureGuard::handle(QtMsgType type, const QMessageLogContext &context,
                               const QString &text)
{
    std::unique_lock lock(guardMutex);
    if (!active) {
        lock.unlock();
        previousHandler(type, context, text);
    } else if (type == QtFatalMsg) {
        StartFailureGuard *guard = active;
        lock.unlock();
        guard->fail(text);
    } else {
        active->hold(type, context, text);
    }
}

// Called with guardMutex held.
void StartFailureGuard::hold(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    const off_t written = held < 0 ? 0 : ::lseek(held, 0, SEEK_CUR);
    messages.push_back(
        {type, context.category, context.file, context.function, context.line, text, written});
}

void StartFailureGuard::fail(const QString &fatal)
{
    const std::vector<Attempt> tried = attempts();
    const std::lock_guard lock(guardMutex);
    stopHoldingStandardError();
    const std::string line = StartFailureReport::line(invocation, tried, fatal.toStdString());
    std::fprintf(stderr, "%s\n", line.c_str());
    std::fflush(nullptr);
    std::_Exit(EXIT_FAILURE);
}

// The plugins Qt tried, in turn: each one's messages, and what the
// libraries below it wrote, come before Qt's word that it gave up on it.
std::vector<Attempt> StartFailureGuard::attempts()
{
    std::unique_lock lock(guardMutex);
    const std::vector<HeldMessage> seen = messages;
    lock.unlock();
    std::vector<Attempt> tried;
    std::vector<std::string> reasons;
    bool wroteBelowQt = false;
    off_t passed = 0;
    for (const HeldMessage &message : seen) {
        const std::string output = heldOutput(passed, message.written);
        passed = message.written;
        wroteBelowQt = wroteBelowQt || !output.empty();
        addLines(reasons, output);
        if (message.category != "qt.qpa.plugin") {
            reasons.push_back(message.text.toStdString());
            continue;
        }
        const QString platform = quotedName(message.text);
        if (platform.isEmpty())
            continue;
        Attempt attempt{platform.toStdString(), Attempt::Failure::NoDisplay, reasons};
        if (reasons.empty())
            attempt.failure = pluginFailure(platform, attempt.reasons);
        else if (wroteBelowQt && attempt.platform == "xcb")
            attempt.failure = Attempt::Failure::Refused;
        tried.push_back(attempt);
        reasons.clear();
        wroteBelowQt = false;
    }
    return tried;
}

void StartFailureGuard::stopHoldingStandardError()
{
    if (standardError < 0)
        return;
    std::fflush(stderr);
    ::dup2(standardError, STDERR_FILENO);
    ::close(standardError);
    standardError = -1;
}

void StartFailureGuard::passOn(const HeldMessage &message) const
{
    const QMessageLogContext context(orNull(message.file), message.line, orNull(message.function),
                                     orNull(message.category));
    previousHandler(message.type, context, message.text);
}

std::string StartFailureGuard::heldOutput(off_t from, off_t to) const
{
    std::string output;
    if (held < 0 || to <= from)
        return output;
    output.resize(static_cast<std::size_t>(to - from));
    const ssize_t read = ::pread(held, output.data(), output.size(), from);
    output.resize(read > 0 ? static_cast<std::size_t>(read) : 0);
    return output;
}
