#pragma once
#include <cstddef>

// Sets up how this process takes memory for large buffers; call once, first thing in main,
// before any thread starts. Without it nothing changes but speed: the call may do nothing.
void PrepareLargeBufferMemory();

// Advises that a large block not touched yet be backed by 2 MiB pages where the system allows it:
// filling hundreds of megabytes then takes a few hundred page faults instead of tens of thousands,
// and scattered reads into it miss the address cache far less. Advice only; small blocks are left.
void AdviseLargeBlock(const void* data, size_t bytes);
