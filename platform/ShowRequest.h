// How a second start brings the running instance's window back: the running instance
// listens on a local socket in the user's runtime folder and, asked, shows its own
// window. This needs no window search, works for a window hidden in the tray, and
// works where no client may raise another's window (Wayland).
#pragma once

#include <QString>

#include <functional>
#include <memory>

class QLocalServer;

// The socket for the instance marked by key.
QString showRequestSocketPath(const QString &key);

// The running instance's side. Listens from construction; a request that comes before
// the event loop runs waits in the socket's queue until it does.
class ShowRequestServer
{
public:
    explicit ShowRequestServer(const QString &key);
    ~ShowRequestServer();
    ShowRequestServer(const ShowRequestServer &) = delete;
    ShowRequestServer &operator=(const ShowRequestServer &) = delete;
    bool isListening() const;

    // Shows the window; runs on the GUI thread before the asking process hears that it
    // was done.
    void setShowHandler(std::function<void()> show);

private:
    void answer();
    std::unique_ptr<QLocalServer> m_server;
    std::function<void()> m_show;
};

enum class ShowRequestOutcome {
    Shown,        // the running instance said it showed its window
    NotListening, // no one took the connection within the time allowed
    NoAnswer,     // connected, but no answer came in time (a hung or old instance)
};

// The second start's side: asks the instance marked by key to show its window, waiting
// at most connectTimeoutMs to be connected and then answerTimeoutMs for the answer.
ShowRequestOutcome requestShowFromRunningInstance(const QString &key, int connectTimeoutMs, int answerTimeoutMs);
