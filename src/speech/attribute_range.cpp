#include "speech/attribute_range.h"

namespace {
template <typename T, typename Get, typename Set>
std::optional<AttributeRange> ReadRange(Get get, Set set)
{
    T current = 0;
    if (Failed(get(&current)) || Failed(set(current)))
        return std::nullopt;
    T lowest = current;
    T highest = current;
    set(T(0));
    get(&lowest);
    set(static_cast<T>(~T(0)));
    get(&highest);
    set(current);
    return AttributeRange{current, lowest, highest};
}
} // namespace

std::optional<AttributeRange> ReadSpeedRange(ITTSAttributesA& a)
{
    return ReadRange<DWORD>([&](DWORD* v) { return a.SpeedGet(v); },
                            [&](DWORD v) { return a.SpeedSet(v); });
}

std::optional<AttributeRange> ReadPitchRange(ITTSAttributesA& a)
{
    return ReadRange<WORD>([&](WORD* v) { return a.PitchGet(v); },
                           [&](WORD v) { return a.PitchSet(v); });
}

std::optional<AttributeRange> ReadVolumeRange(ITTSAttributesA& a)
{
    return ReadRange<DWORD>([&](DWORD* v) { return a.VolumeGet(v); },
                            [&](DWORD v) { return a.VolumeSet(v); });
}

uint32_t VolumeLevel(uint32_t volume) { return (volume & 0xFFFFu) >> 8; }
