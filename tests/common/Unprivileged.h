#pragma once

// Runs one step of a test in a child process, optionally as an unprivileged
// user, and hands back what the step returned through a pipe. Permissions do
// not bind the superuser, so tests of them drop it: as root the child becomes
// "nobody" (65534) before the step; as any other user it runs as that user,
// provided permissions bind it. The step must not use gtest assertions (the
// child's results would be lost): it returns a text the test compares.

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <grp.h>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace unprivileged {

constexpr uid_t kNobody = 65534;
constexpr gid_t kNogroup = 65534;

// The user and group the steps run as.
inline uid_t Uid() {
    return ::geteuid() == 0 ? kNobody : ::geteuid();
}
inline gid_t Gid() {
    return ::geteuid() == 0 ? kNogroup : ::getegid();
}

// In the child: gives up the superuser for good. False if that failed.
inline bool DropPrivileges() {
    if (::geteuid() != 0)
        return true;
    return ::setgroups(0, nullptr) == 0 && ::setgid(kNogroup) == 0 && ::setuid(kNobody) == 0 &&
           ::geteuid() == kNobody && ::setuid(0) != 0;
}

// Runs `step` in a child process (as the unprivileged user when `drop`) and
// returns its text, or a text naming how the child failed, which no test expects.
inline std::string RunInChild(const std::function<std::string()>& step, bool drop = false) {
    std::fflush(nullptr);
    int channel[2];
    if (::pipe(channel) != 0)
        return "<no pipe>";
    pid_t child = ::fork();
    if (child < 0)
        return "<no child process>";
    if (child == 0) {
        ::close(channel[0]);
        std::string result = drop && !DropPrivileges() ? "<could not drop privileges>" : step();
        const char* data = result.data();
        std::size_t left = result.size();
        while (left > 0) {
            ssize_t n = ::write(channel[1], data, left);
            if (n <= 0)
                break;
            data += n;
            left -= static_cast<std::size_t>(n);
        }
        ::_exit(0); // no destructors or exit handlers of the parent's objects
    }
    ::close(channel[1]);
    std::string result;
    char buffer[4096];
    for (;;) {
        ssize_t n = ::read(channel[0], buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        result.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(channel[0]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return "<child ended with status " + std::to_string(status) + ">";
    return result;
}

inline std::string RunUnprivileged(const std::function<std::string()>& step) {
    return RunInChild(step, true);
}

// Why no step can run unprivileged here, or empty when it can: the probe is a
// file without permissions that an unprivileged user must not be able to read.
inline std::string WhyNot() {
    static const std::string why = [] {
        char probe[] = "/tmp/lexarium-probe-XXXXXX";
        int fd = ::mkstemp(probe);
        if (fd < 0)
            return std::string("no probe file in /tmp");
        ::close(fd);
        ::chmod(probe, 0);
        std::string answer = RunUnprivileged([&] {
            int opened = ::open(probe, O_RDONLY);
            if (opened >= 0)
                ::close(opened);
            return std::string(opened < 0 && errno == EACCES ? "bound" : "free");
        });
        ::unlink(probe);
        if (answer == "bound")
            return std::string();
        if (answer == "free")
            return std::string("permissions do not bind this user and it cannot give up its "
                               "privileges");
        return "cannot switch to an unprivileged user: " + answer;
    }();
    return why;
}

// Makes a file or folder the unprivileged user's (a no-op when that is us).
inline void GiveAway(const std::string& path) {
    if (::geteuid() == 0 && ::chown(path.c_str(), kNobody, kNogroup) != 0)
        ADD_FAILURE() << "cannot give " << path << " away";
}

} // namespace unprivileged

// Skips the test, saying why, when no step can run as an unprivileged user.
#define SKIP_UNLESS_UNPRIVILEGED_POSSIBLE()                                                        \
    if (const std::string why_ = unprivileged::WhyNot(); !why_.empty())                            \
    GTEST_SKIP() << why_
