#include "app/AppShell.h"

#include "app/Prompt.h"
#include "platform/InstanceLock.h"
#include "platform/ShowRequest.h"
#include "platform/X11Window.h"

#include <QApplication>
#include <QFontDatabase>
#include <QObject>

int g_nShowMainWindow = 1;
const char *const kMainWindowTitle = "Tonewright";
const char *const kInstanceKey = "bdjo";

namespace {
// Connecting to a listening local socket is immediate; this only bounds a full queue.
constexpr int kShowConnectTimeoutMs = 3000;
// A hung instance still gets the connection (the kernel queues it) but never answers:
// after this long the second start looks for its window by title instead.
constexpr int kShowAnswerTimeoutMs = 3000;

// The fallback for an instance that does not answer: its window, found by title.
int activateRunningWindowByTitle()
{
    const x11::WindowId window = x11::findWindowByTitle(QString::fromLatin1(kMainWindowTitle));
    if (!window)
        return -1;
    x11::activateWindow(window);
    return 0;
}
} // namespace

// The fonts live in the core library, which is static: make sure its resources are linked in.
static void initFontResources()
{
    Q_INIT_RESOURCE(fonts);
}

QFont scaledApplicationFont(QFont font, int dpi)
{
    const float factor = static_cast<float>(dpi) / 96.0f;
    const int scaled = static_cast<int>(static_cast<float>(font.pointSize()) * factor);
    if (font.pointSize() > 0 && scaled > 0)
        font.setPointSize(scaled);
    font.setWeight(57);
    return font;
}

void loadApplicationFonts()
{
    initFontResources();
    const int arial = QFontDatabase::addApplicationFont(QStringLiteral(":font/font/arial.ttf"));
    const int bankGothic = QFontDatabase::addApplicationFont(QStringLiteral(":font/font/bgothl.ttf"));

    QFont font = QApplication::font();
    font.setFamily(QStringLiteral("Arial"));
    QApplication::setFont(font);

    // The form asks for Windows families; point them at the faces we ship.
    const QString sans = QFontDatabase::applicationFontFamilies(arial).value(0);
    const QString technical = QFontDatabase::applicationFontFamilies(bankGothic).value(0);
    if (!sans.isEmpty()) {
        QFont::insertSubstitution(QStringLiteral("Arial"), sans);
        QFont::insertSubstitution(QStringLiteral("SimSun"), sans);
    }
    if (!technical.isEmpty())
        QFont::insertSubstitution(QStringLiteral("BankGothic Lt BT"), technical);
}

std::optional<int> settleSingleInstance(InstanceLock &marker)
{
    // Taking the marker is one atomic step: of starts made together exactly one gets it.
    // When none can be made at all, a second instance is the lesser harm than a program
    // that never starts.
    if (marker.create() != InstanceLock::Outcome::HeldElsewhere)
        return std::nullopt;
    promptInformation(nullptr, QObject::tr("prompt"), QObject::tr("Program is running"));
    switch (requestShowFromRunningInstance(QString::fromLatin1(kInstanceKey), kShowConnectTimeoutMs,
                                           kShowAnswerTimeoutMs)) {
    case ShowRequestOutcome::Shown:
        return 0;
    case ShowRequestOutcome::NotListening:
        // The running instance may have ended while the box was open: then this start
        // is the one to run.
        if (marker.create() == InstanceLock::Outcome::Taken)
            return std::nullopt;
        break;
    case ShowRequestOutcome::NoAnswer:
        break;
    }
    return activateRunningWindowByTitle();
}
