// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

// A display library that gives up during start-up: preloaded, it stands in
// for libxcb's connect functions (Xlib calls one or the other), says why on
// standard error and dies, as a broken driver or library does.

#include <csignal>
#include <cstdio>

namespace {

void *crash()
{
    std::fputs("crashingxcb: the display library gives up here\n", stderr);
    std::raise(SIGSEGV);
    return nullptr;
}

} // namespace

extern "C" void *xcb_connect(const char *, int *)
{
    return crash();
}

extern "C" void *xcb_connect_to_display_with_auth_info(const char *, void *, int *)
{
    return crash();
}
