// A JACK client in a process of its own for the threads test: it waits for grimbolt's ports,
// connects to them, plays the plucked-string phrase into grimbolt:in and sends a program or
// parameter change over MIDI every seven periods for two seconds. (In the test's own process,
// its buffers would be handed to grimbolt's process thread through libjack's futexes, which
// ThreadSanitizer does not see.)
//
//   grimbolt_live_player SERVER
#include "tests/live/JackTestClient.h"
#include "tools/grimbolt-host/PluckedStringPhrase.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: grimbolt_live_player SERVER\n");
        return 2;
    }
    constexpr int kRate = 48000;
    const auto limit = std::chrono::seconds(10);
    JackTestClient player(argv[1], "player");
    if (!player.ok() || !player.waitForPort("grimbolt:midi_in", limit)
        || !player.connect(player.port("midi_out"), "grimbolt:midi_in", limit)
        || !player.connect(player.port("out"), "grimbolt:in", limit)
        || !player.connect("grimbolt:out_left", player.port("in_left"), limit)) {
        std::fprintf(stderr, "grimbolt_live_player: could not join grimbolt on %s\n", argv[1]);
        return 1;
    }
    JackTestClient::Script script;
    script.signal = PluckedStringPhrase::render(kRate);
    script.periods = static_cast<size_t>(2 * kRate) / player.period();
    for (size_t period = 10; period < script.periods; period += 7) {
        const auto step = static_cast<uint8_t>(period / 7);
        if (step % 5 == 0)
            script.midi.push_back({period, {0xC0, static_cast<uint8_t>(step % 4)}});
        else
            script.midi.push_back({period,
                {0xB0, static_cast<uint8_t>(20 + step % 10), static_cast<uint8_t>((step * 13) % 128)}});
    }
    player.run(script);
    if (!player.waitUntilDone(std::chrono::seconds(30))) {
        std::fprintf(stderr, "grimbolt_live_player: the phrase did not play to its end\n");
        return 1;
    }
    std::printf("played %zu periods with %zu MIDI messages\n", script.periods, script.midi.size());
    return 0;
}
