#pragma once
// The game's icon for desktop menus and launchers: a glossy bubble on the
// stomach lining with a germ inside. Each size is drawn afresh rather than
// scaled from the largest, so outlines stay crisp at 48 pixels.

#include <string>

namespace IconArt {

// The sizes (pixels, square) of the hicolor icon theme the game installs.
constexpr int kSizes[] = {48, 64, 128, 256};

// Writes <iconsDir>/hicolor/<n>x<n>/apps/plombrix.png for every size, laid out
// as the icon theme is, so the tree installs as it is.
void writeAll(const std::string& iconsDir);

}  // namespace IconArt
