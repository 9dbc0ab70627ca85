// The form built on a recording window and shown (offscreen), as each test starts.
#pragma once

#include "RecordingWindow.h"
#include "ui/ui_tonewright.h"

struct FormUnderTest {
    RecordingWindow window;
    Ui_TonewrightClass ui;

    FormUnderTest()
    {
        ui.setupUi(&window);
        window.show();
    }
};
