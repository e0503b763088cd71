#include "tests/live/JackTestServer.h"

#include <jack/jack.h>

#include <atomic>
#include <filesystem>
#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr auto kSlotLimit = std::chrono::seconds(20);
constexpr auto kStartLimit = std::chrono::seconds(10);
constexpr auto kStopLimit = std::chrono::seconds(5);
constexpr auto kPoll = std::chrono::milliseconds(20);

void quiet(const char*) { }

bool serverAnswers(const std::string& name)
{
    jack_status_t status{};
    jack_client_t* probe = jack_client_open(
        "probe", static_cast<jack_options_t>(JackNoStartServer | JackServerName), &status, name.c_str());
    if (!probe)
        return false;
    jack_client_close(probe);
    return true;
}

}  // namespace

std::string JackTestServer::uniqueName()
{
    static std::atomic<int> counter{0};
    return "grimbolt-absent-" + std::to_string(getpid()) + "-" + std::to_string(counter++);
}

JackTestServer::JackTestServer(const std::string& directory, uint32_t rate, uint32_t period)
    : directory_(directory)
    , rate_(rate)
    , period_(period)
{
    jack_set_error_function(quiet);
    jack_set_info_function(quiet);
    const auto deadline = std::chrono::steady_clock::now() + kSlotLimit;
    while (!ready_ && std::chrono::steady_clock::now() < deadline) {
        for (int slot = 0; slot < kSlots && !ready_; ++slot) {
            const std::string lock = "/tmp/grimbolt-test-jack-slot-" + std::to_string(slot) + ".lock";
            slotLock_ = open(lock.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
            if (slotLock_ < 0)
                continue;
            if (flock(slotLock_, LOCK_EX | LOCK_NB) == 0) {
                name_ = "grimbolt-test-" + std::to_string(slot);
                ready_ = start();
                if (ready_)
                    break;
                // Taken by a server this slot's lock does not cover (its old entry names a
                // process that lives): try the next slot.
                process_.reset();
            }
            close(slotLock_);
            slotLock_ = -1;
        }
        if (!ready_)
            std::this_thread::sleep_for(kPoll * 5);
    }
}

bool JackTestServer::start()
{
    process_ = std::make_unique<ChildProcess>(
        std::vector<std::string>{JACKD_PROGRAM, "--no-realtime", "-S", "-n", name_, "-d", "dummy", "-r",
            std::to_string(rate_), "-p", std::to_string(period_)},
        std::vector<std::string>{}, directory_, name_);
    const auto deadline = std::chrono::steady_clock::now() + kStartLimit;
    while (std::chrono::steady_clock::now() < deadline && process_->running()) {
        // Ours answers, not another that holds the name (ours then ends at once).
        if (serverAnswers(name_) && process_->running())
            return true;
        std::this_thread::sleep_for(kPoll);
    }
    return false;
}

JackTestServer::~JackTestServer()
{
    // A killed server leaves its entry in JACK's registry of servers, which holds only a few
    // and frees an entry only for a server of the same name: one more start under this name
    // takes the entry over, and a clean stop gives it back.
    if (killed_)
        start();
    if (process_) {
        process_->signal(SIGTERM);
        process_->wait(kStopLimit);
    }
    // And what the killed server's clients left: their semaphores, named after the server.
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator("/dev/shm", ignored)) {
        const std::string file = entry.path().filename().string();
        if (file.find("_" + name_ + "_") != std::string::npos)
            std::filesystem::remove(entry.path(), ignored);
    }
    if (slotLock_ >= 0)
        close(slotLock_);
}

std::string JackTestServer::log() const
{
    return process_ ? process_->standardOutput() + process_->standardError()
                    : "no free slot for a test server within " + std::to_string(kSlotLimit.count()) + " s";
}

void JackTestServer::kill()
{
    process_->signal(SIGKILL);
    process_->wait(kStopLimit);
    killed_ = true;
}
