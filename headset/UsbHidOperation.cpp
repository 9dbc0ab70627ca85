#include "headset/UsbHidOperation.h"

hid_device *g_hidDevice = nullptr;
int g_nDeviceOpen = 0;
unsigned short g_sOpenVid = 0;
unsigned short g_sOpenPid = 0;
const QVector<int> g_vecSupportPid = {0x0411, 0x0412};

unsigned short g_sPidList[kMaxIdListSize] = {};
int g_nPidCount = 0;
unsigned short g_sVidList[kMaxIdListSize] = {};
int g_nVidCount = 0;
