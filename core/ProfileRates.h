// The bit rates read from a profile's converter parameters, in kbit/s.
#pragma once

struct ProfileRates {
    double estimatedBytes = 0;
    double audioKbps = 0;  // from "-ab <n>k"
    double videoKbps = 0;  // from "-b <n>k"
};
