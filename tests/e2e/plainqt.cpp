// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

// The smallest Qt Widgets program of the program's kind: one window, two
// labels, two buttons. What it writes where no window can open is what Qt
// says of itself, for comparison. Qt aborts it then; it leaves no core dump,
// to a file or to a crash collector.

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <sys/prctl.h>

int main(int argc, char *argv[])
{
    prctl(PR_SET_DUMPABLE, 0);
    QApplication application(argc, argv);
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    for (const char *text : {"Eins", "Zwei"})
        layout->addWidget(new QLabel(QString::fromLatin1(text)));
    for (const char *text : {"Ja", "Nein"})
        layout->addWidget(new QPushButton(QString::fromLatin1(text)));
    window.show();
    return application.exec();
}
