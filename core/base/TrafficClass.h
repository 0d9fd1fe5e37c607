// The traffic classes of the buried-pipe check and the texts that name them.
#pragma once

constexpr int kTrafficClassCount = 28;  // classes 0 (no load) to 27

// The language text key of a class's name, as the page's list, the report and
// the clipboard show it: classes 0 to 11 are keys 20000 to 20011, classes 12
// to 27 keys 20279 to 20294; 0 for a number that is no class.
constexpr int TrafficClassTextKey(int trafficClass)
{
    if (trafficClass >= 0 && trafficClass <= 11)
        return 20000 + trafficClass;
    if (trafficClass >= 12 && trafficClass < kTrafficClassCount)
        return 20279 + (trafficClass - 12);
    return 0;
}
