#include "tests/live/ChildProcess.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <sys/prctl.h>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

constexpr auto kPoll = std::chrono::milliseconds(10);

}  // namespace

std::string contentOf(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

ChildProcess::ChildProcess(const std::vector<std::string>& argv, const std::vector<std::string>& environment,
    const std::string& directory, const std::string& tag)
    : outPath_(directory + "/" + tag + ".out")
    , errPath_(directory + "/" + tag + ".err")
{
    std::vector<std::string> variables;
    for (char** variable = environ; *variable; ++variable)
        variables.emplace_back(*variable);
    for (const std::string& change : environment) {
        const size_t equals = change.find('=');
        const std::string name = change.substr(0, equals) + "=";
        for (auto it = variables.begin(); it != variables.end();)
            it = it->compare(0, name.size(), name) == 0 ? variables.erase(it) : it + 1;
        if (equals != std::string::npos)
            variables.push_back(change);
    }
    std::vector<char*> args;
    for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    std::vector<char*> env;
    for (const std::string& variable : variables)
        env.push_back(const_cast<char*>(variable.c_str()));
    env.push_back(nullptr);

    // fork and exec rather than posix_spawn, for the one call between them: the child is told
    // to end (SIGTERM, so that a server unregisters) when the test dies before it could stop it.
    // Between fork and exec the child makes only async-signal-safe calls.
    const pid_t parent = getpid();
    pid_ = fork();
    if (pid_ < 0)
        throw std::runtime_error("cannot start " + argv[0]);
    if (pid_ == 0) {
        if (prctl(PR_SET_PDEATHSIG, SIGTERM) != 0 || getppid() != parent)
            _exit(127);
        const int in = open("/dev/null", O_RDONLY);
        const int out = open(outPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = open(errPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (in < 0 || out < 0 || err < 0 || dup2(in, STDIN_FILENO) < 0 || dup2(out, STDOUT_FILENO) < 0
            || dup2(err, STDERR_FILENO) < 0)
            _exit(127);
        execve(args[0], args.data(), env.data());
        _exit(127);
    }
}

ChildProcess::~ChildProcess()
{
    if (!reaped_) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
}

bool ChildProcess::running()
{
    if (reaped_)
        return false;
    int status = 0;
    const pid_t done = waitpid(pid_, &status, WNOHANG);
    if (done == 0)
        return true;
    reaped_ = true;
    exit_.finished = true;
    exit_.signalled = WIFSIGNALED(status);
    exit_.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    exit_.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    exit_.coreDumped = WIFSIGNALED(status) && WCOREDUMP(status);
    return false;
}

void ChildProcess::signal(int number)
{
    if (!reaped_)
        kill(pid_, number);
}

ChildProcess::Exit ChildProcess::wait(std::chrono::milliseconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (running()) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
            reaped_ = true;
            return Exit{};
        }
        std::this_thread::sleep_for(kPoll);
    }
    return exit_;
}

bool ChildProcess::waitForOutput(const std::string& text, std::chrono::milliseconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (standardOutput().find(text) == std::string::npos) {
        if (std::chrono::steady_clock::now() > deadline || !running())
            return standardOutput().find(text) != std::string::npos;
        std::this_thread::sleep_for(kPoll);
    }
    return true;
}

std::string ChildProcess::standardOutput() const
{
    return contentOf(outPath_);
}

std::string ChildProcess::standardError() const
{
    return contentOf(errPath_);
}
