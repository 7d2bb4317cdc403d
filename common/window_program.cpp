#include "window_program.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>

namespace tms {

namespace {

// This executable's folder, with its trailing slash; empty when it cannot be told.
std::string executableFolder(const char* argv0)
{
    char path[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    std::string self = length > 0 ? std::string(path, std::size_t(length)) : std::string(argv0 ? argv0 : "");
    const std::size_t slash = self.rfind('/');
    return slash == std::string::npos ? std::string() : self.substr(0, slash + 1);
}

} // namespace

int handOverToWindowProgram(const char* windowProgram, char** argv)
{
    const std::string folder = executableFolder(argv[0]);
    const std::string path = folder + windowProgram;
    if (folder.empty())
        execvp(windowProgram, argv); // found on the search path, as this program was
    else
        execv(path.c_str(), argv);
    const int error = errno;
    std::fprintf(stderr, "%s: cannot start the window program \"%s\": %s\n", argv[0] ? argv[0] : windowProgram,
                 path.c_str(), std::strerror(error));
    return 1;
}

} // namespace tms
