#include "platform/StandardStreams.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

void protectStandardStreams()
{
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF)
            continue;
        // The lowest free number is this one: those below it are open by now.
        const int null = ::open("/dev/null", fd == STDIN_FILENO ? O_RDONLY : O_WRONLY);
        if (null >= 0 && null != fd) {
            ::dup2(null, fd);
            ::close(null);
        }
    }
    // The program starts no other program, which would inherit this.
    std::signal(SIGPIPE, SIG_IGN);
    // A pipe opened anew is a description of the program's own, so it may stop waiting
    // without changing the pipe for whoever shares the inherited one (the shell).
    struct stat info {};
    if (::fstat(STDOUT_FILENO, &info) == 0 && S_ISFIFO(info.st_mode)) {
        const int own = ::open("/proc/self/fd/1", O_WRONLY | O_NONBLOCK);
        if (own >= 0 && own != STDOUT_FILENO) {
            ::dup2(own, STDOUT_FILENO);
            ::close(own);
        }
    }
}
