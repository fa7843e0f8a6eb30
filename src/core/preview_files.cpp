#include "core/preview_files.h"

#include "core/preview_document.h"
#include "platform/files.h"

namespace preview {
namespace {

std::string& runDirectoryOverride() {
    static std::string dir;
    return dir;
}

std::string join(const std::string& dir, const std::string& name) {
    const std::string separators = platform::kPathSeparators;
    if (!dir.empty() && separators.find(dir.back()) != std::string::npos) return dir + name;
    return dir + platform::kPreferredSeparator + name;
}

// Makes `dir` and any missing parents.
bool makeDirectories(const std::string& dir) {
    if (dir.empty() || platform::isDirectory(dir)) return !dir.empty();
    const size_t cut = dir.find_last_of(platform::kPathSeparators);
    if (cut != std::string::npos && cut > 0) {
        const std::string parent = dir.substr(0, cut);
        if (!platform::isDirectory(parent) && !makeDirectories(parent)) return false;
    }
    return platform::makeDirectory(dir) || platform::isDirectory(dir);
}

// The location's Cache directory, made hidden when this call creates it; "" when
// there is none and none can be made.
std::string cacheDirectory(const CacheLocation& location) {
    if (location.base.empty()) return std::string();
    if (location.createBase && !makeDirectories(location.base)) return std::string();
    const std::string cache = join(location.base, kCacheName);
    if (platform::isDirectory(cache)) return cache;
    if (!platform::makeDirectory(cache)) return std::string();
    platform::setHidden(cache);
    return cache;
}

}  // namespace

std::string runDirectory() {
    const std::string& forced = runDirectoryOverride();
    return forced.empty() ? platform::executableDirectory() : forced;
}

void setRunDirectoryOverride(const std::string& directory) { runDirectoryOverride() = directory; }

std::vector<CacheLocation> cacheLocations() {
    std::vector<CacheLocation> out{{runDirectory(), false}};
    const std::string user = platform::userCacheDirectory();
    if (!user.empty()) out.push_back({join(user, kProgramFolder), true});
    return out;
}

WriteResult writePreviewFiles(const std::vector<CacheLocation>& locations,
                              const std::string& document, const std::string& pictureName,
                              const Bytes* picture) {
    WriteResult result;
    for (const CacheLocation& location : locations) {
        const std::string cache = cacheDirectory(location);
        if (cache.empty()) continue;
        const std::string documentPath = join(cache, kDocumentName);
        if (!platform::writeWholeFile(documentPath, document.data(), document.size())) continue;
        if (!picture) {
            result.outcome = WriteOutcome::written;
            result.files.document = documentPath;
            return result;
        }
        if (!pictureName.empty()) {
            const std::string picturePath = join(cache, pictureName);
            if (platform::writeWholeFile(picturePath, picture->data(), picture->size())) {
                result.outcome = WriteOutcome::written;
                result.files = {documentPath, picturePath};
                return result;
            }
            platform::removeFile(picturePath);  // a partly written copy
        }
        platform::removeFile(documentPath);
        result.outcome = WriteOutcome::pictureFailed;
    }
    return result;
}

void removePreviewFiles(const PreviewFiles& files) {
    if (!files.document.empty()) platform::removeFile(files.document);
    if (!files.picture.empty()) platform::removeFile(files.picture);
}

}  // namespace preview
