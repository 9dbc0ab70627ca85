// Holder object the window keeps for the mixer; it carries no state and no calls.
#pragma once

class MixerWrap {
public:
    virtual ~MixerWrap();
};
