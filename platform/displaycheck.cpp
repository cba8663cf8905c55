// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "displaycheck.h"

#include <netdb.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <charconv>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace DisplayCheck {

namespace {

constexpr int FirstXPort = 6000;
constexpr std::string_view XSocketDirectory = "/tmp/.X11-unix/X";

std::string variable(const char *name)
{
    const char *value = std::getenv(name);
    return value ? value : "";
}

bool connects(int family, const sockaddr *address, socklen_t length)
{
    const int fd = ::socket(family, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const bool connected = ::connect(fd, address, length) == 0;
    ::close(fd);
    return connected;
}

// A path, or with `abstract` the same name in Linux's abstract namespace,
// where X servers listen as well (libxcb tries that first).
bool connectsLocal(const std::string &path, bool abstract = false)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::size_t offset = abstract ? 1 : 0;
    if (path.empty() || path.size() + offset >= sizeof(address.sun_path))
        return false;
    std::memcpy(address.sun_path + offset, path.data(), path.size());
    const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + offset
                                               + path.size() + (abstract ? 0 : 1));
    return connects(AF_UNIX, reinterpret_cast<const sockaddr *>(&address), length);
}

bool connectsTcp(const std::string &host, int port)
{
    addrinfo hints{};
    hints.ai_socktype = SOCK_STREAM;
    addrinfo *found = nullptr;
    if (::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0)
        return false;
    bool connected = false;
    for (const addrinfo *candidate = found; candidate && !connected; candidate = candidate->ai_next)
        connected = connects(candidate->ai_family, candidate->ai_addr, candidate->ai_addrlen);
    ::freeaddrinfo(found);
    return connected;
}

bool xReachable(const std::string &display)
{
    const std::optional<XAddress> address = xAddress(display);
    if (!address)
        return false;
    if (!address->host.empty())
        return connectsTcp(address->host, address->port);
    return connectsLocal(address->socketPath, true) || connectsLocal(address->socketPath);
}

bool waylandReachable(const Environment &environment)
{
    const std::string &name = environment.waylandDisplay;
    if (name.empty())
        return false;
    if (name.front() == '/')
        return connectsLocal(name);
    return !environment.runtimeDir.empty() && connectsLocal(environment.runtimeDir + '/' + name);
}

// The display servers Qt tries in turn; none when the platform it was told
// to use is not one of them (offscreen, vnc, ...), which is left to Qt.
std::optional<std::vector<Server>> serversTried(const Environment &environment)
{
    std::vector<Server> servers;
    if (environment.platform.empty()) {
        if (!environment.waylandDisplay.empty() || environment.sessionType == "wayland")
            servers.push_back(Server::Wayland);
        servers.push_back(Server::X11);
        return servers;
    }
    std::string_view rest = environment.platform;
    while (!rest.empty()) {
        const std::string_view entry = rest.substr(0, rest.find(';'));
        rest.remove_prefix(std::min(rest.size(), entry.size() + 1));
        const std::string_view name = entry.substr(0, entry.find(':'));
        if (name == "xcb")
            servers.push_back(Server::X11);
        else if (name.substr(0, 7) == "wayland")
            servers.push_back(Server::Wayland);
        else
            return std::nullopt;
    }
    return servers;
}

// The variable naming the server, as "NAME=value"; empty when it is unset.
std::string named(Server server, const Environment &environment)
{
    const bool x11 = server == Server::X11;
    const std::string &value = x11 ? environment.display : environment.waylandDisplay;
    return value.empty() ? std::string() : (x11 ? "DISPLAY=" : "WAYLAND_DISPLAY=") + value;
}

} // namespace

Environment current(int argc, char **argv)
{
    Environment environment{variable("QT_QPA_PLATFORM"), variable("DISPLAY"),
                            variable("WAYLAND_DISPLAY"), variable("XDG_RUNTIME_DIR"),
                            variable("XDG_SESSION_TYPE")};
    for (int index = 1; index + 1 < argc; ++index) {
        const std::string_view argument = argv[index];
        if (argument == "-platform" || argument == "--platform")
            environment.platform = argv[index + 1];
    }
    return environment;
}

std::optional<XAddress> xAddress(std::string_view display)
{
    const std::size_t colon = display.rfind(':');
    if (colon == std::string_view::npos)
        return std::nullopt;
    // ":1.0": display 1, screen 0.
    std::string_view number = display.substr(colon + 1);
    number = number.substr(0, number.find('.'));
    int displayNumber = -1;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(),
                                              displayNumber);
    if (error != std::errc() || end != number.data() + number.size() || displayNumber < 0)
        return std::nullopt;
    std::string_view host = display.substr(0, colon);
    // A full socket path, as some systems set it.
    if (!host.empty() && host.front() == '/')
        return XAddress{std::string(host), {}, 0};
    std::string_view protocol;
    if (const std::size_t slash = host.find('/'); slash != std::string_view::npos) {
        protocol = host.substr(0, slash);
        host.remove_prefix(slash + 1);
    }
    if (host.empty() || host == "unix" || protocol == "unix")
        return XAddress{std::string(XSocketDirectory) + std::string(number), {}, 0};
    if (host.size() > 1 && host.front() == '[' && host.back() == ']')
        host = host.substr(1, host.size() - 2);
    return XAddress{{}, std::string(host), FirstXPort + displayNumber};
}

bool reachable(Server server, const Environment &environment)
{
    return server == Server::X11 ? xReachable(environment.display) : waylandReachable(environment);
}

std::string problem(const Environment &environment, std::string_view program,
                    const std::function<bool(Server)> &isReachable)
{
    const std::optional<std::vector<Server>> servers = serversTried(environment);
    if (!servers)
        return {};
    std::vector<std::string> unreachable;
    for (const Server server : *servers) {
        const std::string name = named(server, environment);
        if (name.empty())
            continue;
        if (isReachable(server))
            return {};
        unreachable.push_back(name);
    }
    std::string line(program.substr(program.find_last_of('/') + 1));
    if (unreachable.empty()) {
        line += ": keine grafische Anzeige gefunden (weder DISPLAY noch WAYLAND_DISPLAY gesetzt); "
                "ohne Bildschirm so starten: ";
    } else {
        line += unreachable.size() == 1
                    ? ": die grafische Anzeige " + unreachable.front() + " ist nicht erreichbar; "
                    : ": die grafischen Anzeigen " + unreachable.front() + " und "
                          + unreachable.back() + " sind nicht erreichbar; ";
        line += "eine laufende Anzeige angeben oder ohne Bildschirm so starten: ";
    }
    return line + "xvfb-run -a " + std::string(program);
}

} // namespace DisplayCheck
