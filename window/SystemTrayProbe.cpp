#include "window/SystemTrayProbe.h"

#include <QSystemTrayIcon>

namespace {
int g_trayOverride = -1;
}

bool systemTrayAvailable()
{
    if (g_trayOverride >= 0)
        return g_trayOverride == 1;
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void setSystemTrayAvailableOverride(int available)
{
    g_trayOverride = available;
}
