#include "platform/ThreadPriority.h"

#if defined(__linux__) && !defined(__EMSCRIPTEN__)
#include <sys/resource.h>
#include <unistd.h>
#endif

void LowerThisThreadPriority() {
#if defined(__linux__) && !defined(__EMSCRIPTEN__)
    // On Linux a nice value set for a thread id applies to that thread alone. At 15 the thread
    // weighs about a thirtieth of a normal one when both want the same core.
    constexpr int kBackgroundNice = 15;
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), kBackgroundNice);
#endif
}
