/* The handle behind hid_device on Linux: one open hidraw node. Kept apart from the
 * public header so the I/O can be exercised over any file descriptor. */
#ifndef TW_HIDRAW_DEVICE_H
#define TW_HIDRAW_DEVICE_H

#include "MyHidApi.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Takes ownership of fd (closed by hid_close). Null when out of memory. */
hid_device *hidraw_device_from_fd(int fd);

#ifdef __cplusplus
}
#endif

#endif
