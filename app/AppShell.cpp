#include "app/AppShell.h"

#include "app/Prompt.h"
#include "platform/ShowRequest.h"
#include "platform/X11Window.h"

#include <QApplication>
#include <QFontDatabase>
#include <QObject>

int g_nShowMainWindow = 1;
const char *const kMainWindowTitle = "Tonewright";
const char *const kInstanceKey = "bdjo";

namespace {
// Long enough for an instance that is still starting up to get to its event loop.
constexpr int kShowRequestTimeoutMs = 15000;
}

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

int activateRunningInstance()
{
    promptInformation(nullptr, QObject::tr("prompt"), QObject::tr("Program is running"));
    if (requestShowFromRunningInstance(QString::fromLatin1(kInstanceKey), kShowRequestTimeoutMs))
        return 0;
    const x11::WindowId window = x11::findWindowByTitle(QString::fromLatin1(kMainWindowTitle));
    if (!window)
        return -1;
    x11::activateWindow(window);
    return 0;
}
