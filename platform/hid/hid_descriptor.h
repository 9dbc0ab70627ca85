/* Top-level collections of a HID report descriptor: the usage page and usage that
 * each one declares. hidraw gives one node per interface; a node can carry several
 * top-level collections (a vendor page beside a consumer-control page, say), and the
 * program tells the headset's control channel apart by its usage page. */
#ifndef TW_HID_DESCRIPTOR_H
#define TW_HID_DESCRIPTOR_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

struct hid_collection_usage {
    unsigned short usage_page;
    unsigned short usage;
};

/* Walks the descriptor by the HID item rules (short and long items, the global usage
 * page with Push and Pop, extended usages that carry their own page) and stores up to
 * max_out top-level Application collections in out, each with the page and usage that
 * name it. Returns how many such collections the descriptor declares (may exceed
 * max_out). Never reads past len bytes, whatever the descriptor claims. */
int hid_descriptor_top_level_usages(const unsigned char *desc, size_t len,
                                    struct hid_collection_usage *out, int max_out);

#ifdef __cplusplus
}
#endif

#endif
