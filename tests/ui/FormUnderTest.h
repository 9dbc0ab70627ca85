// The form built on a recording window and shown (offscreen), as each test starts.
#pragma once

#include "RecordingWindow.h"
#include "ui/ui_tonewright.h"

#include <QtTest>

struct FormUnderTest {
    RecordingWindow window;
    Ui_TonewrightClass ui;
    bool exposed = false;

    FormUnderTest()
    {
        ui.setupUi(&window);
        window.show();
        // Lets the pending layout and polish run, as they would before the first paint.
        exposed = QTest::qWaitForWindowExposed(&window);
    }
};
