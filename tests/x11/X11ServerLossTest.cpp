// An X server that goes away under an open panel (Xvfb killed) ends the panel's window, not
// the process, and never reaches the host's connection error handler.
#include "tests/x11/TestDisplay.h"
#include "tests/x11/X11PanelHost.h"

#include <gtest/gtest.h>

#include <X11/Xlib.h>

#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <cstdlib>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

int hostConnectionErrors = 0;
int countingConnectionHandler(Display*)
{
    ++hostConnectionErrors;
    return 0;
}
void keepTestAlive(Display*, void*) { }

// An Xvfb of the test's own, killed by the test. It picks a display nobody uses and says
// which once it listens (-displayfd): a socket left by an earlier killed server proves nothing.
class PrivateServer {
public:
    PrivateServer()
    {
        int ready[2];
        if (pipe(ready) != 0)
            return;
        fcntl(ready[0], F_SETFD, FD_CLOEXEC);
        const std::string fd = std::to_string(ready[1]);
        char* const arguments[] = {const_cast<char*>("Xvfb"), const_cast<char*>("-displayfd"),
            const_cast<char*>(fd.c_str()), const_cast<char*>("-screen"), const_cast<char*>("0"),
            const_cast<char*>("640x480x24"), nullptr};
        if (posix_spawnp(&pid_, "Xvfb", nullptr, nullptr, arguments, environ) != 0)
            pid_ = 0;
        close(ready[1]);
        std::string number;
        pollfd reading = {ready[0], POLLIN, 0};
        char c = 0;
        while (pid_ && poll(&reading, 1, 5000) > 0 && read(ready[0], &c, 1) == 1 && c != '\n')
            number += c;
        close(ready[0]);
        if (number.empty())
            kill();
        else
            name_ = ":" + number;
    }
    ~PrivateServer() { kill(); }

    bool started() const { return pid_ != 0; }
    const std::string& name() const { return name_; }
    // Also takes away the socket and lock that a killed server leaves.
    void kill()
    {
        if (!pid_)
            return;
        ::kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
        pid_ = 0;
        if (!name_.empty()) {
            unlink(("/tmp/.X11-unix/X" + name_.substr(1)).c_str());
            unlink(("/tmp/.X" + name_.substr(1) + "-lock").c_str());
        }
    }

private:
    std::string name_;
    pid_t pid_ = 0;
};

}  // namespace

TEST(X11ServerLoss, PanelOutlivesItsServer)
{
    PrivateServer server;
    if (!server.started())
        GTEST_SKIP() << "no Xvfb to start";
    setenv("DISPLAY", server.name().c_str(), 1);
    auto* screen = new TestDisplay;
    ASSERT_TRUE(screen->isOpen()) << server.name();
    XSetIOErrorExitHandler(screen->display(), keepTestAlive, nullptr);
    const XIOErrorHandler before = XSetIOErrorHandler(countingConnectionHandler);
    const Window parent = screen->createParent(CPos(0, 0), X11PanelHost::kWidth, X11PanelHost::kHeight);

    X11PanelHost host;
    ASSERT_EQ(host.open(parent), 1);
    host.idle();
    server.kill();
    for (int round = 0; round < 5; ++round)
        host.idle();
    host.close();
    EXPECT_EQ(hostConnectionErrors, 0) << "the panel's lost connection reached the host's handler";
    EXPECT_EQ(host.open(parent), 0) << "no server to open on";
    delete screen;  // the test's own connection meets the loss here
    XSetIOErrorHandler(before);
}
