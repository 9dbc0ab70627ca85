// The headset protocol: frames, senders, device open, answer decoders, and the
// link state the window reads. Free functions over file-scope globals; the senders
// and the open run on the GUI thread, the decoders on the receive thread.
#pragma once

#include "MyHidApi.h"

#include <QMutex>
#include <QVector>

// Link state.
extern hid_device *g_hidDevice;          // the one open headset, null when none
extern int g_nDeviceOpen;                // 1 while a headset is open
extern unsigned short g_sOpenVid;        // ids of the headset opened last
extern unsigned short g_sOpenPid;
extern const QVector<int> g_vecSupportPid; // 0x0411, 0x0412

// Permitted ids, filled from the default preset files (at most 100 each).
constexpr int kMaxIdListSize = 100;
extern unsigned short g_sPidList[kMaxIdListSize];
extern int g_nPidCount;
extern unsigned short g_sVidList[kMaxIdListSize];
extern int g_nVidCount;
