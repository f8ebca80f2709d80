#pragma once

// Lowers the calling thread's share of the processor, so that background work on it gives way to
// the frame loop and the drawing threads whenever they want a core (it still runs, more slowly,
// when they do). Does nothing where threads have no priorities of their own.
void LowerThisThreadPriority();
