// Shared by the headset suites: a recorder of log lines, hex helpers for golden
// frames, and a fixture that opens a simulated headset through the real open path.
#pragma once

#include "headset/UsbHidOperation.h"

#include <QByteArray>
#include <QMutex>
#include <QMutexLocker>
#include <QStringList>

#include <vector>

namespace headsettest {

// Records every log message of the process while alive.
class LogRecorder
{
public:
    LogRecorder();
    ~LogRecorder();
    QStringList lines() const;
    void clear();
    bool contains(const QString &line) const { return lines().contains(line); }

private:
    static void handler(QtMsgType, const QMessageLogContext &, const QString &message);
    QtMessageHandler m_previous;
};

// "4F 30 80 18" (spaces allowed) padded with zeros to size bytes.
QByteArray frame(const char *hex, int size);
QByteArray bytes(const std::vector<unsigned char> &report);

// Lists a product id as permitted, as reading its default preset file does.
void permitProductId(unsigned short productId);

// Forgets every link global, so each test starts with no headset and no permitted ids.
void resetLinkState();

// Resets the simulated headset, plugs in one headset of this product id, lists the id
// as permitted and opens it with usbHidOpenDevice. Returns the open's result.
int openSimulatedHeadset(unsigned short productId = 0x0411);

// Closes the open handle (if any) and clears the link state.
void closeHeadset();

} // namespace headsettest
