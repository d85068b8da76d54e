#include "childprocess.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <climits>
#include <csignal>
#include <cstring>

extern char **environ;

namespace childprocess {
namespace {

std::vector<std::string> mergedEnvironment(const Environment &extra)
{
    std::vector<std::string> merged;
    for (char **entry = environ; *entry; ++entry) {
        const std::string variable(*entry);
        bool replaced = false;
        for (const auto &pair : extra)
            replaced = replaced || variable.rfind(pair.first + "=", 0) == 0;
        if (!replaced)
            merged.push_back(variable);
    }
    for (const auto &pair : extra)
        merged.push_back(pair.first + "=" + pair.second);
    return merged;
}

std::vector<char *> pointersTo(std::vector<std::string> &strings)
{
    std::vector<char *> pointers;
    pointers.reserve(strings.size() + 1);
    for (std::string &text : strings)
        pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

} // namespace

Run run(const std::vector<std::string> &arguments, const Environment &extra,
        const std::string &outputFile)
{
    std::vector<std::string> argumentCopy = arguments;
    std::vector<std::string> environment = mergedEnvironment(extra);
    std::vector<char *> argv = pointersTo(argumentCopy);
    std::vector<char *> envp = pointersTo(environment);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outputFile.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);

    Run result;
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = -1;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return result;

    int status = 0;
    struct rusage usage
    { };
    if (wait4(pid, &status, 0, &usage) != pid)
        return result;
    result.seconds
        = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    result.peakBytes = double(usage.ru_maxrss) * 1024.0; // Linux reports kilobytes
    result.succeeded = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return result;
}

VirtualDisplay::VirtualDisplay()
{
    int displayPipe[2];
    if (pipe(displayPipe) != 0)
        return;
    // The server picks a free display itself and writes its number to the pipe when ready.
    std::vector<std::string> arguments = {"Xvfb",      "-displayfd", std::to_string(displayPipe[1]),
                                          "-screen",   "0",          "1280x1024x24",
                                          "-nolisten", "tcp"};
    std::vector<char *> argv = pointersTo(arguments);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclose(&actions, displayPipe[0]);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    const int spawned = posix_spawnp(&pid, "Xvfb", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(displayPipe[1]);
    if (spawned != 0) {
        close(displayPipe[0]);
        return;
    }
    serverPid = pid;

    std::string number;
    char byte = 0;
    while (read(displayPipe[0], &byte, 1) == 1 && byte != '\n')
        number += byte;
    close(displayPipe[0]);
    if (!number.empty())
        displayName = ":" + number;
}

VirtualDisplay::~VirtualDisplay()
{
    if (serverPid <= 0)
        return;
    kill(serverPid, SIGTERM);
    waitpid(serverPid, nullptr, 0);
}

std::string ownFolder()
{
    char path[PATH_MAX] = {};
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0)
        return ".";
    std::string executable(path, static_cast<std::size_t>(length));
    return executable.substr(0, executable.rfind('/'));
}

} // namespace childprocess
