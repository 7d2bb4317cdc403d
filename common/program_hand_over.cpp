#include "program_hand_over.h"

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

int handOverToProgram(const char* program, const char* role, char** argv)
{
    const std::string folder = executableFolder(argv[0]);
    const std::string path = folder + program;
    std::fflush(stdout);
    if (folder.empty())
        execvp(program, argv); // found on the search path, as this program was
    else
        execv(path.c_str(), argv);
    const int error = errno;
    std::fprintf(stderr, "%s: cannot start the %s \"%s\": %s\n", argv[0] ? argv[0] : program, role, path.c_str(),
                 std::strerror(error));
    return 1;
}

} // namespace tms
