// Feeds arbitrary report descriptors to the collection reader: nothing may read past
// the descriptor or write past the room given for the records.
#include "platform/hid/hid_descriptor.h"

#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    // First byte: the room for records (0 to 7). The rest, in a buffer exactly its own
    // size, is the descriptor.
    const int room = data[0] % 8;
    const std::vector<unsigned char> desc(data + 1, data + size);
    std::vector<hid_collection_usage> out(static_cast<size_t>(room));
    const int found = hid_descriptor_top_level_usages(desc.data(), desc.size(), room ? out.data() : nullptr, room);
    // Each collection takes at least its two-byte item.
    if (found < 0 || static_cast<size_t>(found) * 2 > desc.size())
        __builtin_trap();
    return 0;
}
