// For the stand-in build of the simulated headset that a real program process loads in
// place of the HID library: the headsets named in TW_SIM_HEADSETS (product ids in hex,
// separated by commas: "0411" or "0411,0412") are plugged in when the library loads;
// with TW_SIM_OPEN_REFUSED set to an errno value (13: EACCES, no udev rule yet) they
// refuse to be opened.
#include "HidSim.h"

#include <cstdlib>
#include <sstream>
#include <string>

namespace {

bool plugHeadsetsFromEnvironment()
{
    const char *list = std::getenv("TW_SIM_HEADSETS");
    if (!list)
        return false;
    std::istringstream ids(list);
    std::string id;
    while (std::getline(ids, id, ',')) {
        const unsigned long productId = std::strtoul(id.c_str(), nullptr, 16);
        if (productId > 0 && productId <= 0xFFFF)
            hidsim::addHeadset(static_cast<unsigned short>(productId));
    }
    if (const char *refused = std::getenv("TW_SIM_OPEN_REFUSED"))
        hidsim::setOpenRefused(std::atoi(refused));
    return true;
}

const bool g_pluggedAtLoad = plugHeadsetsFromEnvironment();

} // namespace
