// An X server that goes away under an open panel (Xvfb killed) ends the panel's window, not
// the process, and never reaches the host's connection error handler.
#include "tests/x11/TestDisplay.h"
#include "tests/x11/X11PanelHost.h"

#include <gtest/gtest.h>

#include <X11/Xlib.h>

#include <csignal>
#include <cstdlib>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
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

// An Xvfb of the test's own on a display number nobody else uses; killed by the test.
class PrivateServer {
public:
    PrivateServer()
        : name_(":" + std::to_string(200 + getpid() % 500))
    {
        const std::string socket = "/tmp/.X11-unix/X" + name_.substr(1);
        char* const arguments[] = {const_cast<char*>("Xvfb"), const_cast<char*>(name_.c_str()),
            const_cast<char*>("-screen"), const_cast<char*>("0"), const_cast<char*>("640x480x24"), nullptr};
        if (posix_spawnp(&pid_, "Xvfb", nullptr, nullptr, arguments, environ) != 0)
            pid_ = 0;
        for (int round = 0; pid_ && round < 100 && access(socket.c_str(), F_OK) != 0; ++round)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ~PrivateServer() { kill(); }

    bool started() const { return pid_ != 0; }
    const std::string& name() const { return name_; }
    void kill()
    {
        if (!pid_)
            return;
        ::kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
        pid_ = 0;
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
