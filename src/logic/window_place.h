#pragma once
// The two sizes of the main window and where it may stand on the screens.
#include <cstdint>
#include <vector>

// Twips.
inline constexpr int kFullWidth = 10350;
inline constexpr int kFullHeight = 8580;
inline constexpr int kMiniWidth = 5055;
inline constexpr int kMiniHeight = 1275;

struct Box {
    double left = 0, top = 0, width = 0, height = 0;
    bool operator==(const Box&) const = default;
};

// Where a window asked to stand at `window` stands: there when it shares some
// area with a screen; otherwise (its screen has been removed since the place was
// remembered) moved the shortest way into the nearest screen. With no screens
// known it stays where asked.
Box keepOnScreen(const Box& window, const std::vector<Box>& screens);

// The mini player's left as remembered: a 16-bit whole number of twips, rounded,
// and held at the ends of that range rather than wrapping round.
int16_t rememberedLeft(double leftTwips);
