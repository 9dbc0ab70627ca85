// The HID access library: the six calls the program uses, under hidapi's names, and
// one of its own that wakes a waiting reader, exported with C linkage from
// libMyHidApi.so. Another build of the same library (the simulated headset) can stand
// in for it.
#pragma once

#include <stddef.h>
#include <wchar.h>

#ifdef __cplusplus
extern "C" {
#endif

#define MYHIDAPI_EXPORT __attribute__((visibility("default")))

typedef struct hid_device_ hid_device;

// One element of the list hid_enumerate returns, laid out like hidapi's record.
struct hid_device_info {
    char *path;
    unsigned short vendor_id;
    unsigned short product_id;
    wchar_t *serial_number;
    unsigned short release_number;
    wchar_t *manufacturer_string;
    wchar_t *product_string;
    unsigned short usage_page;
    unsigned short usage;
    int interface_number;
    struct hid_device_info *next;
};

MYHIDAPI_EXPORT struct hid_device_info *hid_enumerate(unsigned short vendor_id, unsigned short product_id);
MYHIDAPI_EXPORT void hid_free_enumeration(struct hid_device_info *devs);
/* Null on failure, with errno telling why: EACCES or EPERM when the device is there but
 * this user may not open it, ENODEV when no record matches. */
MYHIDAPI_EXPORT hid_device *hid_open(unsigned short vendor_id, unsigned short product_id,
                                     unsigned short interface_number, const wchar_t *serial_number,
                                     unsigned short usage_page);
MYHIDAPI_EXPORT int hid_set_nonblocking(hid_device *dev, int nonblock);
MYHIDAPI_EXPORT int hid_write(hid_device *dev, const unsigned char *data, size_t length);
MYHIDAPI_EXPORT int hid_read_timeout(hid_device *dev, unsigned char *data, size_t length, int milliseconds);
MYHIDAPI_EXPORT void hid_close(hid_device *dev);
// Makes a hid_read_timeout waiting on this handle (on another thread) return 0 at once;
// with no read waiting, the next read returns 0 at once. So a reader may wait with no
// time-out (-1) and still be stopped. Safe to call from any thread while the handle is
// open.
MYHIDAPI_EXPORT void hid_interrupt_read(hid_device *dev);

#ifdef __cplusplus
}
#endif
