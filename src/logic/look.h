#pragma once
// Font size and colours of the panes the user can restyle.
#include <cstdint>

struct Look {
    uint32_t back = 0;    // 0x00BBGGRR
    double fontSize = 0;  // points
    uint32_t fore = 0;    // 0x00BBGGRR
    bool operator==(const Look&) const = default;
};

inline constexpr Look kDetailsLook{0x000040, 12, 0xC0FFFF};
inline constexpr Look kTrackListLook{0xC0FFFF, 8.25, 0x000000};

// The sizes the preference buttons set, in points: fixed values, not steps.
inline constexpr double kDetailsLarger = 16, kDetailsNormal = 12, kDetailsSmaller = 8;
inline constexpr double kTrackListLarger = 10, kTrackListNormal = 8;
