#include "HeadsetTestSupport.h"

#include "HidSim.h"

#include <algorithm>
#include <iterator>

namespace headsettest {
namespace {
QMutex g_linesMutex;
QStringList g_lines;
} // namespace

LogRecorder::LogRecorder() : m_previous(qInstallMessageHandler(&LogRecorder::handler))
{
    clear();
}

LogRecorder::~LogRecorder()
{
    qInstallMessageHandler(m_previous);
}

void LogRecorder::handler(QtMsgType, const QMessageLogContext &, const QString &message)
{
    QMutexLocker lock(&g_linesMutex);
    g_lines.append(message);
}

QStringList LogRecorder::lines() const
{
    QMutexLocker lock(&g_linesMutex);
    return g_lines;
}

void LogRecorder::clear()
{
    QMutexLocker lock(&g_linesMutex);
    g_lines.clear();
}

QByteArray frame(const char *hex, int size)
{
    QByteArray out = QByteArray::fromHex(QByteArray(hex).replace(' ', ""));
    out.append(QByteArray(size - out.size(), '\0'));
    return out;
}

QByteArray bytes(const std::vector<unsigned char> &report)
{
    return QByteArray(reinterpret_cast<const char *>(report.data()), int(report.size()));
}

void permitProductId(unsigned short productId)
{
    g_sPidList[g_nPidCount++] = productId;
}

void resetLinkState()
{
    g_hidDevice = nullptr;
    g_nDeviceOpen = 0;
    g_sOpenVid = 0;
    g_sOpenPid = 0;
    std::fill(std::begin(g_sPidList), std::end(g_sPidList), 0);
    g_nPidCount = 0;
    g_nVidCount = 0;
}

int openSimulatedHeadset(unsigned short productId)
{
    closeHeadset();
    hidsim::reset();
    hidsim::addHeadset(productId);
    permitProductId(productId);
    return usbHidOpenDevice();
}

void closeHeadset()
{
    if (g_hidDevice)
        hid_close(g_hidDevice);
    resetLinkState();
}

} // namespace headsettest
