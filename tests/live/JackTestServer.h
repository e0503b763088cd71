// A JACK 2 server of the test's own: the dummy backend (no sound card), not real-time, under
// a name no other running test uses, started and waited for within bounds, and stopped at the
// end.
//
// Synchronous (-S). A server that is not real-time misses deadlines on a busy machine (xruns).
// In JACK 2's default asynchronous mode the next cycle then starts while a client may still be
// writing its buffers, so a client down the graph can read a half-written period: the sound
// through two clients is no longer what it was played. In synchronous mode the server waits for
// the graph to finish each cycle, so an xrun is late but every period arrives whole, which the
// tests that compare samples rely on. (With two busy processes beside it, 4 end-to-end runs
// asynchronous had 6 failed attempts between them; 6 runs synchronous had none.)
//
// Names. JACK keeps a machine-wide registry of servers with room for only eight, and frees the
// entry of a server that died without stopping (killed, or its test killed) only when a server
// of the same name starts. So the tests take their names from a few slots, "grimbolt-test-0"
// to "grimbolt-test-3", each held through a lock file while its server lives: a test never
// shares a server, and whatever a dead server left is taken over by the next one of its slot.
#pragma once

#include "tests/live/ChildProcess.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class JackTestServer {
public:
    static constexpr int kSlots = 4;

    // Takes a free slot (waiting for one at most twenty seconds), starts
    // `jackd --no-realtime -S -n NAME -d dummy -r RATE -p PERIOD` and waits (at most ten seconds)
    // until a client can join it; ready() tells whether it came up.
    explicit JackTestServer(const std::string& directory, uint32_t rate = 48000, uint32_t period = 64);
    // Stops it: SIGTERM, then SIGKILL if it has not ended within five seconds. A server that was
    // killed is started once more under its name and stopped, which gives its registry entry back
    // at once. (When the test process dies first, ChildProcess has the server stopped.)
    ~JackTestServer();
    JackTestServer(const JackTestServer&) = delete;
    JackTestServer& operator=(const JackTestServer&) = delete;

    bool ready() const { return ready_; }
    const std::string& name() const { return name_; }
    // What a child process needs to use this server.
    std::vector<std::string> environment() const { return {"JACK_DEFAULT_SERVER=" + name_}; }
    // The server's own output so far, for failure messages.
    std::string log() const;
    // Kills the server at once, as a crash would.
    void kill();

    // A name for a server that no test runs (none is started under it).
    static std::string uniqueName();

private:
    bool start();

    std::string name_;
    std::string directory_;
    uint32_t rate_;
    uint32_t period_;
    int slotLock_ = -1;
    bool killed_ = false;
    std::unique_ptr<ChildProcess> process_;
    bool ready_ = false;
};
