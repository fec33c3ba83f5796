#include "ChildServing.h"

#include "ChildMessages.h"

#include <algorithm>
#include <cstdio>

#include <malloc.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

// The address space the child has mapped now, in bytes; 0 when it cannot be told.
size_t mappedBytes()
{
    std::FILE* statm = std::fopen("/proc/self/statm", "r");
    if (statm == nullptr) return 0;
    unsigned long long pages = 0;
    const bool read = std::fscanf(statm, "%llu", &pages) == 1;
    std::fclose(statm);
    return read ? static_cast<size_t>(pages) * static_cast<size_t>(sysconf(_SC_PAGESIZE)) : 0;
}

// Lets the child map at most `budget` more than it has mapped now.
void limitMemory(size_t budget)
{
    const size_t mapped = mappedBytes();
    if (mapped == 0) return;
    rlimit limit{};
    if (getrlimit(RLIMIT_AS, &limit) != 0) return;
    limit.rlim_cur = std::min<rlim_t>(limit.rlim_max, mapped + budget);
    setrlimit(RLIMIT_AS, &limit);
}

} // namespace

// The child keeps the memory it frees for the next request rather than give it back
// and take it again: pages taken anew cost a tenth of decoding a slice.
void serveRequests(Work work, MemoryBudget budget)
{
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
    for (;;) {
        const auto request = receiveMessage(childSocket, waitForever);
        if (!request) _exit(0);
        limitMemory(budget.bytes + budget.perRequestByte * request->size());
        ByteBuffer answer;
        try {
            answer = work(*request);
        } catch (...) {
            _exit(1);
        }
        if (!sendMessage(childSocket, answer, waitForever)) _exit(0);
    }
}
