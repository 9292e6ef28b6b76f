#pragma once

#include <array>

// The resource ids of the pictures, in the order the pages load them.
namespace vantrel::art::inventory {

// SAVE, RESET, EXIT, Load Profile, Save As Profile.
inline constexpr std::array<int, 5> PC_BUTTON_FACES{171, 173, 175, 174, 172};
inline constexpr int PC_BACKGROUND = 221;
inline constexpr int HOVER_HIGHLIGHT = 143;

// Device keys 0 to 13.
inline constexpr std::array<int, 14> KEY_HIGHLIGHTS{180, 178, 179, 191, 189, 188, 190,
                                                    181, 182, 184, 185, 186, 187, 183};
inline constexpr int X360_BACKGROUND = 192;
// Button codes 0 to 13.
inline constexpr std::array<int, 14> BUTTON_ICONS{195, 193, 194, 199, 200, 201, 202,
                                                  196, 197, 205, 204, 206, 203, 198};
// Low, Mid, High.
inline constexpr std::array<int, 3> SENSITIVITY_LAMPS{209, 208, 207};
// 2 to 10 per second.
inline constexpr std::array<int, 9> FIRING_LAMPS{1100, 1099, 1098, 210, 211, 212, 213, 214, 215};
// Reset, Reload, Default, SAVE, EXIT.
inline constexpr std::array<int, 5> COMMAND_FACES{218, 216, 217, 220, 219};

inline constexpr int APP_ICON = 153;
inline constexpr std::array<int, 7> APP_ICON_SIDES{16, 24, 32, 48, 64, 128, 256};

} // namespace vantrel::art::inventory
