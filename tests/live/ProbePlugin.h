// What the probe plug-in (ProbePlugin.cpp, a module of its own) tells the test through
// effVendorSpecific with index kProbeIndex: a record it keeps of how the host drove it.
#pragma once

#include <atomic>
#include <cstdint>

constexpr int32_t kProbeIndex = 0x50726f62;  // 'Prob'

struct ProbeRecord {
    static constexpr int kMaxOpcodes = 64;

    std::atomic<int> violations{0};  // a block while suspended or longer than the block size,
                                     // or suspend/effSetBlockSize/effSetSampleRate during a block
    std::atomic<int> blocks{0};      // processReplacing calls
    std::atomic<int> largestBlock{0};
    std::atomic<int> blockSize{0};          // as effSetBlockSize set it
    std::atomic<int> opcodeCount{0};        // effMainsChanged/effSetBlockSize/effSetSampleRate, in order:
    std::atomic<int> opcodes[kMaxOpcodes];  // 1 resume, 0 suspend, 1000 + n block size n, -rate
};
