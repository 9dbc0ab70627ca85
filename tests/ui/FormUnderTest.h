// The form built on a recording window and shown (offscreen), and the base of the form
// tests, which builds a fresh one before each test function.
#pragma once

#include "MessageLog.h"
#include "RecordingWindow.h"
#include "TestEnv.h"
#include "ui/ui_tonewright.h"

#include <QtTest>

#include <memory>

struct FormUnderTest {
    RecordingWindow window;
    Ui_TonewrightClass ui;
    QStringList setupWarnings; // warnings and criticals logged while the form was built
    bool exposed = false;

    FormUnderTest()
    {
        {
            MessageLog log;
            MessageLog::clear();
            ui.setupUi(&window);
            setupWarnings = MessageLog::warningsContaining(QString());
        }
        window.show();
        // Lets the pending layout and polish run, as they would before the first paint.
        exposed = QTest::qWaitForWindowExposed(&window);
    }
};

class FormTest : public QObject
{
    Q_OBJECT

public:
    static void initMain() { tw::isolateTestEnvironment(); }

protected:
    std::unique_ptr<FormUnderTest> m_form;
    RecordingWindow *m_window = nullptr;
    Ui_TonewrightClass ui;

private slots:
    void init()
    {
        m_form = std::make_unique<FormUnderTest>();
        m_window = &m_form->window;
        ui = m_form->ui;
        QVERIFY(m_form->exposed);
    }

    void cleanup() { m_form.reset(); }
};
