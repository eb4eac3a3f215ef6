#include "platform/desktop.h"

#include <chrono>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <fcntl.h>
#include <unistd.h>

extern char** environ;

namespace tw::platform {

namespace {

constexpr auto launcherAnswerWait = std::chrono::milliseconds(1500);
// xdg-open: 3 = no tool/method available, 4 = the action failed (no handler).
constexpr int noToolExitCode = 3;
constexpr int actionFailedExitCode = 4;

LaunchResult resultOfExit(int status) {
    if (!WIFEXITED(status)) return LaunchResult::Failed;
    int code = WEXITSTATUS(status);
    if (code == 0) return LaunchResult::Started;
    if (code == noToolExitCode || code == actionFailedExitCode) return LaunchResult::NoAssociation;
    return LaunchResult::Failed;
}

}  // namespace

LaunchResult openWithDesktop(const std::string& target) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);

    std::string program = "xdg-open";
    char* arguments[] = {program.data(), const_cast<char*>(target.c_str()), nullptr};
    pid_t child = 0;
    int error = ::posix_spawnp(&child, program.c_str(), &actions, &attributes, arguments, environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (error != 0) return LaunchResult::NoAssociation;

    auto deadline = std::chrono::steady_clock::now() + launcherAnswerWait;
    while (std::chrono::steady_clock::now() < deadline) {
        int status = 0;
        pid_t done = ::waitpid(child, &status, WNOHANG);
        if (done == child) return resultOfExit(status);
        if (done < 0) return LaunchResult::Failed;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    std::thread([child] {
        int status = 0;
        ::waitpid(child, &status, 0);
    }).detach();
    return LaunchResult::Started;
}

}  // namespace tw::platform
