#pragma once

#include <mutex>
#include <sys/types.h>

// The running job's record, shared by the main thread and the job's background work.
// `active` and `cancelled` are touched only under `lock`.
class RenderJob {
public:
    std::mutex lock;
    pid_t active = 0; // the child the process runner waits for; 0 between programs
    bool cancelled = false;
};
