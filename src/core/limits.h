// The one table of limits. Whatever the program lets the user make, type, paste
// or import stays within them, and the project and recovery readers accept
// everything within them: so whatever can be saved can be opened again.
#pragma once

#include <cstddef>

namespace limits {

// Hotspots of one work.
inline constexpr int kMaxHotspots = 20000;
// A link, a tip or an address, in UTF-8 bytes. A text box holds as many
// characters, so that no text within the limit is ever cut; what is typed or
// pasted beyond it in bytes is refused when confirmed.
inline constexpr std::size_t kMaxTextBytes = 64 * 1024;
// A picture's side, and how far from the picture a hotspot or the picture itself
// may be placed.
inline constexpr int kMaxSide = 1000000;
inline constexpr int kMaxCoordinate = 10000000;
// A hotspot's side and face (its face is a picture of its own and has to fit in
// memory), and all faces together, as many pixels as the largest picture accepted.
inline constexpr int kMinHotspotSide = 2;
inline constexpr int kMaxHotspotSide = 32000;
inline constexpr long long kMaxHotspotPixels = 32LL * 1000 * 1000;
inline constexpr long long kMaxAllHotspotPixels = 200LL * 1000 * 1000;
// Files read whole: a project or recovery file, code to import, a picture.
inline constexpr std::size_t kMaxProjectBytes = 64 * 1024 * 1024;
inline constexpr std::size_t kMaxImportBytes = 16 * 1024 * 1024;
inline constexpr std::size_t kMaxPictureBytes = 256 * 1024 * 1024;
// The settings file: the window's place, three folders and eight recent projects,
// each path at most the 32767 UTF-16 units Windows allows, 3 UTF-8 bytes apiece.
inline constexpr std::size_t kMaxSettingsBytes = 1024 * 1024;
// Nesting of a project file's JSON (the program writes three levels).
inline constexpr int kMaxJsonDepth = 32;

}  // namespace limits
