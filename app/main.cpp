#include "app/AppShell.h"
#include "app/Autorun.h"
#include "app/LogHandler.h"
#include "window/MainWindow.h"
#include "platform/InstanceLock.h"
#include "platform/ScreenDpi.h"

#include <QApplication>
#include <QSystemSemaphore>

int main(int argc, char *argv[])
{
    QApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QApplication app(argc, argv);
    QApplication::setFont(scaledApplicationFont(QApplication::font(), screenDpiX()));
    setAutoRunRegistry(QCoreApplication::applicationFilePath());

    // The semaphore makes create-or-detect one step between processes started together;
    // the marker then says whether this is the only instance.
    QSystemSemaphore semaphore(QStringLiteral("aoj"), 1, QSystemSemaphore::Open);
    semaphore.acquire();
    InstanceLock marker(QStringLiteral("bdjo"));
    if (!marker.create())
        return activateRunningInstance(semaphore);
    semaphore.release();

    loadApplicationFonts();
    qInstallMessageHandler(logMessageOutput);
    MainWindow window;
    if (g_nShowMainWindow)
        window.show();
    else
        window.hide();
    return app.exec();
}
