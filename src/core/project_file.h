// The project file: the picture a page was decorated on, its hotspots in list
// order with their links, tips and locks, and the colours and transparency, as
// UTF-8 JSON with a format version.
#pragma once

#include <string>
#include <vector>

#include "core/canvas_store.h"
#include "core/limits.h"

namespace project {

inline constexpr int kFormatVersion = 1;
// Project files carry this extension.
inline constexpr const char* kExtension = ".hzproj";

// Limits a file must keep to be opened: those of the work itself.
inline constexpr int kMaxSide = limits::kMaxSide;
inline constexpr int kMaxCoordinate = limits::kMaxCoordinate;
inline constexpr int kMaxHotspots = limits::kMaxHotspots;
inline constexpr size_t kMaxTextBytes = limits::kMaxTextBytes;

struct HotspotRecord {
    // Relative to the picture's top-left corner.
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    std::string link;
    std::string tip;
    bool locked = false;

    bool operator==(const HotspotRecord& o) const {
        return x == o.x && y == o.y && width == o.width && height == o.height &&
               link == o.link && tip == o.tip && locked == o.locked;
    }
    bool operator!=(const HotspotRecord& o) const { return !(*this == o); }
};

struct PictureRecord {
    int loadMode = 0;              // 0 local file, 1 network address
    std::string path;              // the file path, or the address as typed
    std::string relativePath;      // a local file relative to the project's folder
    std::string uploadedAddress;   // typed in 查看代码 for a local picture; may be empty
    int width = 0;
    int height = 0;
    int left = 0;  // the picture's position on the canvas
    int top = 0;

    bool operator==(const PictureRecord& o) const {
        return loadMode == o.loadMode && path == o.path && uploadedAddress == o.uploadedAddress &&
               width == o.width && height == o.height && left == o.left && top == o.top;
    }
};

struct Project {
    bool hasPicture = false;
    PictureRecord picture;
    std::vector<HotspotRecord> hotspots;
    PackedColour hotspotColour = packRgb(255, 0, 255);
    PackedColour borderColour = packRgb(0, 128, 0);
    PackedColour backgroundColour = packRgb(255, 255, 255);
    int transparency = 50;

    // Equal as work: the relative path is derived, not compared.
    bool operator==(const Project& o) const {
        return hasPicture == o.hasPicture && (!hasPicture || picture == o.picture) &&
               hotspots == o.hotspots && hotspotColour == o.hotspotColour &&
               borderColour == o.borderColour && backgroundColour == o.backgroundColour &&
               transparency == o.transparency;
    }
    bool operator!=(const Project& o) const { return !(*this == o); }
};

// The project as the text of its file (UTF-8 JSON, two-space indents, LF ends).
std::string toJson(const Project& p);

// Why the project's file `bytes` long could not be opened again, in a sentence;
// empty when it can. A save refuses what this names, so that nothing is saved that
// the reader would refuse.
std::string limitProblem(const Project& p, std::size_t bytes);

// Reads a project file's text. False with a message naming the problem when it is
// empty, not JSON, of a newer version, lacks a field, has a field of the wrong
// type or a number out of range; `out` is then left as it was.
bool fromJson(const std::string& text, Project& out, std::string& error);

// The recovery file: the project's text with the path of the project file it
// belongs to (empty for work never saved).
std::string toRecoveryJson(const Project& p, const std::string& projectPath);
bool fromRecoveryJson(const std::string& text, Project& out, std::string& projectPath,
                      std::string& error);

// `file` relative to the folder `folder` (both UTF-8 paths); empty when there is
// no such path (another drive, or an empty input).
std::string relativeTo(const std::string& folder, const std::string& file);
// `relative` resolved against `folder`.
std::string resolveAgainst(const std::string& folder, const std::string& relative);
// The folder part of a path, and the bare file name.
std::string folderOf(const std::string& path);
std::string fileNameOf(const std::string& path);

}  // namespace project
