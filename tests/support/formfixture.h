// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "fakeservices.h"
#include "form1.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <memory>

// A Form1 on stand-in services, with its controls looked up by name.
struct FormFixture
{
    FakeServices fakes;
    std::unique_ptr<Form1> form;

    FormFixture() { form = std::make_unique<Form1>(fakes.services()); }

    template<typename T = QWidget>
    T *control(const char *name) const
    {
        return form->findChild<T *>(QString::fromLatin1(name));
    }
    QLabel *label(const char *name) const { return control<QLabel>(name); }
    QPushButton *button(const char *name) const { return control<QPushButton>(name); }
    QTimer *timer(const char *name) const { return control<QTimer>(name); }
    QWidget *shape() const { return control("Shape1"); }
};
