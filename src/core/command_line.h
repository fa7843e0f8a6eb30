// What the program was asked to open when it was started: nothing, one project
// file or one picture, read from its arguments (a double-click in a file manager
// or an association passes the file's path).
#pragma once

#include <string>
#include <vector>

namespace startup {

enum class StartKind {
    nothing,  // no file named: the program starts empty
    project,  // a *.hzproj file: opened as by 打开工程
    picture,  // any other file: loaded as if it had been dropped on the canvas
    tooMany,  // more than one file: none is opened, the user is told
};

struct StartRequest {
    StartKind kind = StartKind::nothing;
    std::string path;  // the project or the picture, as an absolute path
    int count = 0;     // how many files were named
};

// `args` are the arguments after the program's name, as UTF-8. Empty arguments are
// left out; a relative path is taken from `workingFolder`. Whether the file exists
// is not looked at here: the opener of its kind reports one that cannot be read.
StartRequest readCommandLine(const std::vector<std::string>& args,
                             const std::string& workingFolder);

// Whether a path names a project file by its extension (any case).
bool isProjectPath(const std::string& path);

// The message for more than one file.
std::string tooManyFilesMessage(int count);

}  // namespace startup
