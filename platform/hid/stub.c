/* Placeholder backend: no devices. Replaced by the hidraw backend. */
#include "MyHidApi.h"

struct hid_device_info *hid_enumerate(unsigned short v, unsigned short p) { (void)v; (void)p; return NULL; }
void hid_free_enumeration(struct hid_device_info *d) { (void)d; }
hid_device *hid_open(unsigned short v, unsigned short p, unsigned short i, const wchar_t *s, unsigned short u)
{ (void)v; (void)p; (void)i; (void)s; (void)u; return NULL; }
int hid_set_nonblocking(hid_device *d, int n) { (void)d; (void)n; return -1; }
int hid_write(hid_device *d, const unsigned char *b, size_t n) { (void)d; (void)b; (void)n; return -1; }
int hid_read_timeout(hid_device *d, unsigned char *b, size_t n, int ms) { (void)d; (void)b; (void)n; (void)ms; return -1; }
void hid_close(hid_device *d) { (void)d; }
