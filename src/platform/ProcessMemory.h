#pragma once
#include <atomic>
#include <cstddef>
#include <initializer_list>
#include <thread>

// Sets up how this process takes memory for large buffers; call once, first thing in main,
// before any thread starts. Without it nothing changes but speed: the call may do nothing.
void PrepareLargeBufferMemory();

// Advises that a large block not touched yet be backed by 2 MiB pages where the system allows it:
// filling hundreds of megabytes then takes a few hundred page faults instead of tens of thousands,
// and scattered reads into it miss the address cache far less. Advice only; small blocks are left.
void AdviseLargeBlock(const void* data, size_t bytes);

// A block of memory that a caller is about to write from its start on.
struct FreshBlock {
    // How the caller writes it: bit by bit as it works (its pages are made ready from the start,
    // ahead of the caller), or in one quick sweep (made ready from the end back, to meet it).
    enum class Writing { kAsItWorks, kInOneSweep };
    const void* data;
    size_t bytes;
    Writing writing = Writing::kAsItWorks;
};

// Makes the pages of fresh blocks resident on a thread of its own, one block after the other,
// while the caller goes on working, so that the caller seldom stops at a new page by itself. A new
// page can cost as much as the work done in it (under virtualisation, memory the host took back
// faults in again 4 KiB at a time), and the other core takes that cost off the caller. Contents
// are never changed. Blocks under 8 MiB, or a system without the call, get nothing. Stops at its
// next step and waits for its thread when destroyed, so the blocks must outlive it.
class FreshPagesAhead {
public:
    FreshPagesAhead(std::initializer_list<FreshBlock> blocks);
    ~FreshPagesAhead();
    FreshPagesAhead(const FreshPagesAhead&) = delete;
    FreshPagesAhead& operator=(const FreshPagesAhead&) = delete;

private:
    std::atomic<bool> stop_{false};
    std::thread thread_;
};
