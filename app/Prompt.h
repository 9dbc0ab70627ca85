// Every message box of the program goes through here, so tests can record prompts
// instead of blocking on a modal dialog.
#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>

struct PromptRequest {
    QMessageBox::Icon icon = QMessageBox::Information;
    QWidget *parent = nullptr;
    QString title;
    QString text;
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

using PromptHandler = std::function<QMessageBox::StandardButton(const PromptRequest &)>;

// Shows the message box (or hands it to the installed handler) and returns the button chosen.
QMessageBox::StandardButton showPrompt(const PromptRequest &request);

// Convenience forms with QMessageBox's static-function shape.
QMessageBox::StandardButton promptInformation(QWidget *parent, const QString &title, const QString &text,
                                              QMessageBox::StandardButtons buttons = QMessageBox::Ok);
QMessageBox::StandardButton promptWarning(QWidget *parent, const QString &title, const QString &text,
                                          QMessageBox::StandardButtons buttons = QMessageBox::Ok);
QMessageBox::StandardButton promptQuestion(QWidget *parent, const QString &title, const QString &text,
                                           QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No);

// Replaces the real message box (tests). An empty handler restores it. Returns the previous one.
PromptHandler setPromptHandler(PromptHandler handler);
