// A program the test runs beside itself (grimbolt-host, jackd), with its standard output and
// error in files, a bounded wait for its end, and a kill when it outlives the wait.
#pragma once

#include <chrono>
#include <string>
#include <sys/types.h>
#include <vector>

class ChildProcess {
public:
    struct Exit {
        bool finished = false;  // false: still running when the wait ended (it is killed then)
        bool signalled = false;
        int code = -1;   // the exit status, when not signalled
        int signal = 0;  // the signal that ended it, when signalled
        bool coreDumped = false;
    };

    // Starts argv[0] (a path) with the environment of the test changed by `environment`
    // (NAME=VALUE sets, NAME alone removes); outputs go to files in `directory`, named after `tag`.
    ChildProcess(const std::vector<std::string>& argv, const std::vector<std::string>& environment,
        const std::string& directory, const std::string& tag);
    // Kills and reaps it if it still runs.
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t pid() const { return pid_; }
    bool running();
    void signal(int number);
    // Waits at most `limit` for the end; kills it (SIGKILL) and says so when it did not end.
    Exit wait(std::chrono::milliseconds limit);
    // Whether its standard output has shown `text` within `limit`.
    bool waitForOutput(const std::string& text, std::chrono::milliseconds limit);

    std::string standardOutput() const;
    std::string standardError() const;

private:
    pid_t pid_ = -1;
    bool reaped_ = false;
    Exit exit_;
    std::string outPath_;
    std::string errPath_;
};

// A file's whole content; empty when unreadable.
std::string contentOf(const std::string& path);
