// libFuzzer target over the project reader: each input is opened as a project file
// and as a recovery file, as the program opens what it finds on disk. The reader
// must refuse with a message or give a project; a project it gives must come back
// the same when written and opened again.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/project_file.h"

namespace {

[[noreturn]] void fail(const char* what, const std::string& error) {
    std::fprintf(stderr, "%s: %s\n", what, error.c_str());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::string error;

    project::Project p;
    if (project::fromJson(text, p, error)) {
        project::Project again;
        if (!project::fromJson(project::toJson(p), again, error))
            fail("a project read cannot be opened once written", error);
        if (again != p) fail("a project read comes back different once written", "");
    } else if (error.empty()) {
        fail("a refused project has no message", "");
    }

    project::Project r;
    std::string projectPath;
    error.clear();
    if (project::fromRecoveryJson(text, r, projectPath, error)) {
        project::Project again;
        std::string againPath;
        if (!project::fromRecoveryJson(project::toRecoveryJson(r, projectPath), again, againPath,
                                       error))
            fail("a recovery file read cannot be opened once written", error);
        if (again != r || againPath != projectPath)
            fail("a recovery file read comes back different once written", "");
    } else if (error.empty()) {
        fail("a refused recovery file has no message", "");
    }
    return 0;
}
