#include "app/Prompt.h"

#include <QPushButton>
#include <QTimer>

#include <cstdio>

namespace {
PromptHandler &installedHandler()
{
    static PromptHandler handler;
    return handler;
}

// Hook for tests that start the real program as a separate process, where no handler
// can be installed: with TONEWRIGHT_PROMPT_AUTOCLOSE_MS set, each box echoes its title
// and text to standard error and presses its default (else first) button after that
// many milliseconds. Unset, nothing changes.
void armAutoClose(QMessageBox &box)
{
    bool ok = false;
    const int delay = qEnvironmentVariableIntValue("TONEWRIGHT_PROMPT_AUTOCLOSE_MS", &ok);
    if (!ok)
        return;
    std::fprintf(stderr, "prompt: %s | %s\n", box.windowTitle().toLocal8Bit().constData(),
                 box.text().toLocal8Bit().constData());
    std::fflush(stderr);
    QTimer::singleShot(delay, &box, [&box] {
        QAbstractButton *button = box.defaultButton();
        if (!button && !box.buttons().isEmpty())
            button = box.buttons().constFirst();
        if (button)
            button->click();
    });
}
} // namespace

QMessageBox::StandardButton showPrompt(const PromptRequest &request)
{
    if (installedHandler())
        return installedHandler()(request);
    QMessageBox box(request.icon, request.title, request.text, request.buttons, request.parent);
    box.setDefaultButton(request.defaultButton);
    armAutoClose(box);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

static QMessageBox::StandardButton prompt(QMessageBox::Icon icon, QWidget *parent, const QString &title,
                                          const QString &text, QMessageBox::StandardButtons buttons)
{
    PromptRequest request;
    request.icon = icon;
    request.parent = parent;
    request.title = title;
    request.text = text;
    request.buttons = buttons;
    return showPrompt(request);
}

QMessageBox::StandardButton promptInformation(QWidget *parent, const QString &title, const QString &text,
                                              QMessageBox::StandardButtons buttons)
{
    return prompt(QMessageBox::Information, parent, title, text, buttons);
}

QMessageBox::StandardButton promptWarning(QWidget *parent, const QString &title, const QString &text,
                                          QMessageBox::StandardButtons buttons)
{
    return prompt(QMessageBox::Warning, parent, title, text, buttons);
}

QMessageBox::StandardButton promptQuestion(QWidget *parent, const QString &title, const QString &text,
                                           QMessageBox::StandardButtons buttons)
{
    return prompt(QMessageBox::Question, parent, title, text, buttons);
}

PromptHandler setPromptHandler(PromptHandler handler)
{
    PromptHandler previous = installedHandler();
    installedHandler() = std::move(handler);
    return previous;
}
