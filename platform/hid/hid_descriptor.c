#include "hid_descriptor.h"

/* Item prefix: bits 0-1 size code (3 means 4 bytes), bits 2-3 type, bits 4-7 tag. */
enum { ITEM_MAIN = 0, ITEM_GLOBAL = 1, ITEM_LOCAL = 2 };
enum { TAG_COLLECTION = 0xA, TAG_END_COLLECTION = 0xC, TAG_USAGE_PAGE = 0x0, TAG_USAGE = 0x0 };
enum { LONG_ITEM_PREFIX = 0xFE };

static unsigned long item_value(const unsigned char *data, int size)
{
    unsigned long value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | data[i];
    return value;
}

int hid_descriptor_top_level_usages(const unsigned char *desc, size_t len,
                                    struct hid_collection_usage *out, int max_out)
{
    unsigned short usage_page = 0;
    unsigned short usage = 0;
    int have_usage = 0;
    int depth = 0;
    int found = 0;
    size_t pos = 0;

    while (pos < len) {
        const unsigned char prefix = desc[pos];
        if (prefix == LONG_ITEM_PREFIX) {
            /* 0xFE, data size, long tag, data: carries nothing we read. */
            if (pos + 1 >= len)
                break;
            pos += 3 + (size_t)desc[pos + 1];
            continue;
        }
        const int size_code = prefix & 0x3;
        const int size = size_code == 3 ? 4 : size_code;
        const int type = (prefix >> 2) & 0x3;
        const int tag = prefix >> 4;
        if (pos + 1 + (size_t)size > len)
            break;
        const unsigned long value = item_value(desc + pos + 1, size);

        if (type == ITEM_GLOBAL && tag == TAG_USAGE_PAGE) {
            usage_page = (unsigned short)value;
        } else if (type == ITEM_LOCAL && tag == TAG_USAGE) {
            /* A four-byte usage names its own page in the high half. */
            if (size == 4)
                usage_page = (unsigned short)(value >> 16);
            usage = (unsigned short)value;
            have_usage = 1;
        } else if (type == ITEM_MAIN && tag == TAG_COLLECTION) {
            if (depth == 0) {
                if (found < max_out && out) {
                    out[found].usage_page = usage_page;
                    out[found].usage = have_usage ? usage : 0;
                }
                ++found;
            }
            ++depth;
        } else if (type == ITEM_MAIN && tag == TAG_END_COLLECTION) {
            if (depth > 0)
                --depth;
        }
        /* Local items apply to the next main item only. */
        if (type == ITEM_MAIN)
            have_usage = 0;
        pos += 1 + (size_t)size;
    }
    return found;
}
