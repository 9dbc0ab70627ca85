#include "app/Prompt.h"

namespace {
PromptHandler &installedHandler()
{
    static PromptHandler handler;
    return handler;
}
} // namespace

QMessageBox::StandardButton showPrompt(const PromptRequest &request)
{
    if (installedHandler())
        return installedHandler()(request);
    QMessageBox box(request.icon, request.title, request.text, request.buttons, request.parent);
    box.setDefaultButton(request.defaultButton);
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
