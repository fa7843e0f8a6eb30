// The preview's files: the document and the local picture's copy, in a Cache
// directory beside the executable or, where that cannot be written, in the
// per-user cache directory. Deleted again when the preview closes.
#pragma once

#include <string>
#include <vector>

#include "core/text.h"

namespace preview {

inline constexpr const char* kProgramFolder = "huizhan-hotspots";

// A directory that may hold the Cache directory.
struct CacheLocation {
    std::string base;
    bool createBase = false;  // the per-user folder is made when missing; the run directory never
};

// The run directory: the executable's directory unless a test set another one.
std::string runDirectory();
// Replaces the run directory (an empty text restores the executable's).
void setRunDirectoryOverride(const std::string& directory);

// Beside the executable first, then the program's folder in the per-user cache.
std::vector<CacheLocation> cacheLocations();

struct PreviewFiles {
    std::string document;  // full path of Temporary.html
    std::string picture;   // full path of the picture copy; empty when none was written
};

enum class WriteOutcome {
    written,
    documentFailed,  // no location took the document
    pictureFailed,   // the document was written somewhere, the picture copy nowhere
};

struct WriteResult {
    WriteOutcome outcome = WriteOutcome::documentFailed;
    PreviewFiles files;  // what is on disk now (nothing unless written)
};

// Tries each location in turn: its Cache directory (created, hidden, when missing)
// receives the document and, when `picture` is given, the copy named `pictureName`.
// A location where the copy fails loses its document again before the next is tried.
WriteResult writePreviewFiles(const std::vector<CacheLocation>& locations,
                              const std::string& document, const std::string& pictureName,
                              const Bytes* picture);

// Deletes both files; failures are ignored and the Cache directory stays.
void removePreviewFiles(const PreviewFiles& files);

}  // namespace preview
