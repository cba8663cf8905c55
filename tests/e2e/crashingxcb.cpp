// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

// A display library that gives up during start-up: preloaded, it stands in
// for libxcb's connect functions (Xlib calls the second), says why on
// standard error and dies, as a broken driver or library does.

#include <csignal>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void crash()
{
    std::fputs("crashingxcb: the display library gives up here\n", stderr);
    std::fflush(stderr);
    std::raise(SIGSEGV);
    std::abort();
}

} // namespace

extern "C" {

void *xcb_connect(const char *, int *)
{
    crash();
}

void *xcb_connect_to_display_with_auth_info(const char *, void *, int *)
{
    crash();
}
}
