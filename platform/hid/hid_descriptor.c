#include "hid_descriptor.h"

/* Short item prefix: bits 0-1 size code (3 means 4 bytes), bits 2-3 type, bits 4-7 tag.
 * A long item is the prefix 0xFE, a data size byte, a tag byte and the data. */
enum { ITEM_MAIN = 0, ITEM_GLOBAL = 1, ITEM_LOCAL = 2 };
enum { MAIN_COLLECTION = 0xA, MAIN_END_COLLECTION = 0xC };
enum { GLOBAL_USAGE_PAGE = 0x0, GLOBAL_PUSH = 0xA, GLOBAL_POP = 0xB };
enum { LOCAL_USAGE = 0x0 };
enum { LONG_ITEM_PREFIX = 0xFE, LONG_ITEM_HEADER = 3 };
enum { COLLECTION_APPLICATION = 0x01 };
/* Deeper than any device needs (the kernel allows 4); pushes past it are counted, so
 * the pops that match them still balance, but their state is not kept. */
enum { GLOBAL_STACK_SIZE = 16 };

/* The state that matters here: the global usage page (saved and restored by Push and
 * Pop) and the first usage of the next main item, which an extended (four-byte) usage
 * gives its own page for that usage alone. */
struct parser {
    unsigned short usage_page;
    unsigned short page_stack[GLOBAL_STACK_SIZE];
    int stack_depth;
    int have_usage;
    int usage_is_extended;
    unsigned long usage;
    int collection_depth;
};

struct item {
    int type;
    int tag;
    int size;
    unsigned long value;
};

static unsigned long item_value(const unsigned char *data, int size)
{
    unsigned long value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | data[i];
    return value;
}

/* Reads the item at pos into *it and returns its length in bytes, or 0 when the item
 * runs past the end of the descriptor. Long items come back with type -1: no item they
 * can carry changes what is read here. */
static size_t read_item(const unsigned char *desc, size_t len, size_t pos, struct item *it)
{
    const unsigned char prefix = desc[pos];
    if (prefix == LONG_ITEM_PREFIX) {
        if (pos + 1 >= len)
            return 0;
        const size_t total = LONG_ITEM_HEADER + (size_t)desc[pos + 1];
        if (total > len - pos)
            return 0;
        it->type = -1;
        return total;
    }
    const int size_code = prefix & 0x3;
    it->size = size_code == 3 ? 4 : size_code;
    it->type = (prefix >> 2) & 0x3;
    it->tag = prefix >> 4;
    if ((size_t)it->size + 1 > len - pos)
        return 0;
    it->value = item_value(desc + pos + 1, it->size);
    return 1 + (size_t)it->size;
}

static void global_item(struct parser *p, const struct item *it)
{
    switch (it->tag) {
    case GLOBAL_USAGE_PAGE:
        p->usage_page = (unsigned short)it->value;
        break;
    case GLOBAL_PUSH:
        if (p->stack_depth < GLOBAL_STACK_SIZE)
            p->page_stack[p->stack_depth] = p->usage_page;
        ++p->stack_depth;
        break;
    case GLOBAL_POP:
        if (p->stack_depth == 0)
            break; /* nothing pushed: the state stays */
        --p->stack_depth;
        if (p->stack_depth < GLOBAL_STACK_SIZE)
            p->usage_page = p->page_stack[p->stack_depth];
        break;
    default:
        break;
    }
}

static void local_item(struct parser *p, const struct item *it)
{
    /* A collection is named by the first usage before it. */
    if (it->tag != LOCAL_USAGE || p->have_usage)
        return;
    p->have_usage = 1;
    p->usage_is_extended = it->size == 4;
    p->usage = it->value;
}

/* A top-level Application collection: its usage's page is the extended usage's own,
 * else the global usage page as it stands at the collection item. */
static void collection_item(struct parser *p, const struct item *it, struct hid_collection_usage *out,
                            int max_out, int *found)
{
    const int top_level = p->collection_depth == 0;
    ++p->collection_depth;
    if (!top_level || it->value != COLLECTION_APPLICATION)
        return;
    if (*found < max_out && out) {
        struct hid_collection_usage *c = &out[*found];
        c->usage_page = p->have_usage && p->usage_is_extended ? (unsigned short)(p->usage >> 16) : p->usage_page;
        c->usage = p->have_usage ? (unsigned short)(p->usage & 0xFFFF) : 0;
    }
    ++*found;
}

int hid_descriptor_top_level_usages(const unsigned char *desc, size_t len,
                                    struct hid_collection_usage *out, int max_out)
{
    struct parser p = {0};
    int found = 0;
    size_t pos = 0;

    while (pos < len) {
        struct item it;
        const size_t item_len = read_item(desc, len, pos, &it);
        if (item_len == 0)
            break;
        pos += item_len;
        if (it.type == ITEM_GLOBAL) {
            global_item(&p, &it);
        } else if (it.type == ITEM_LOCAL) {
            local_item(&p, &it);
        } else if (it.type == ITEM_MAIN) {
            if (it.tag == MAIN_COLLECTION)
                collection_item(&p, &it, out, max_out, &found);
            else if (it.tag == MAIN_END_COLLECTION && p.collection_depth > 0)
                --p.collection_depth;
            /* Local items apply to the next main item only. */
            p.have_usage = 0;
        }
    }
    return found;
}
