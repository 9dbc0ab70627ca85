// Stands in for the main window until the real one exists: a bare window with the title
// the second instance looks for, honouring "-autorun" as the real start-up will.
#pragma once

#include "app/AppShell.h"
#include "app/Autorun.h"

#include <QCoreApplication>
#include <QMainWindow>

class PlaceholderMainWindow : public QMainWindow
{
public:
    PlaceholderMainWindow()
    {
        setWindowTitle(QString::fromLatin1(kMainWindowTitle));
        resize(1176, 730);
        g_nShowMainWindow = isAutorunStart(QCoreApplication::arguments()) ? 0 : 1;
    }
};
