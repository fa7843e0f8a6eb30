#include "core/command_line.h"

#include <filesystem>

#include "core/project_file.h"
#include "core/text.h"

namespace fs = std::filesystem;

namespace startup {

bool isProjectPath(const std::string& path) {
    // ".hzproj" alone is a hidden file's whole name, not an extension.
    const std::string ext = project::kExtension;
    const std::string name = project::fileNameOf(path);
    return name.size() > ext.size() &&
           text::asciiLower(name.substr(name.size() - ext.size())) == ext;
}

std::string tooManyFilesMessage(int count) {
    return "一次只能打开一个工程或一张图片，收到了 " + text::number(count) +
           " 个文件，没有打开其中任何一个";
}

StartRequest readCommandLine(const std::vector<std::string>& args,
                             const std::string& workingFolder) {
    StartRequest r;
    for (const std::string& a : args)
        if (!a.empty()) {
            ++r.count;
            if (r.path.empty()) r.path = a;
        }
    if (r.count == 0) return r;
    if (r.count > 1) {
        r.kind = StartKind::tooMany;
        r.path.clear();
        return r;
    }
    fs::path p = fs::u8path(r.path);
    if (!p.is_absolute() && !workingFolder.empty()) p = fs::u8path(workingFolder) / p;
    r.path = p.lexically_normal().u8string();
    r.kind = isProjectPath(r.path) ? StartKind::project : StartKind::picture;
    return r;
}

}  // namespace startup
