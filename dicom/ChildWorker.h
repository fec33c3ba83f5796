#pragma once
// Work that may end the process doing it (a library that stops at an assertion, or
// crashes, on a damaged file) done in a child process kept for it, so that whatever
// happens there ends only the child. The child is started at the first request and
// answers one request after another; one that ends, fails or takes too long is ended
// and the next request starts another.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include <sys/types.h>

class ChildWorker {
public:
    using Bytes = std::vector<uint8_t>;
    using Work = Bytes (*)(const Bytes& request); // runs in the child

    // The memory one request may take in the child beyond what the child holds before
    // it: a library given damaged data can claim gigabytes, and past this it fails at
    // once and the child ends.
    struct MemoryBudget {
        size_t bytes;          // for any request
        size_t perRequestByte; // and this much more for each byte of the request
    };

    ChildWorker(Work work, int longestMs, MemoryBudget budget);
    ~ChildWorker();
    ChildWorker(const ChildWorker&) = delete;
    ChildWorker& operator=(const ChildWorker&) = delete;

    // The child's answer; nothing when there was none.
    std::optional<Bytes> ask(const Bytes& request);

private:
    bool start();
    void stop();

    const Work work_;
    const int longestMs_;
    const MemoryBudget budget_;
    pid_t child_ = -1;
    int socket_ = -1;
    int answered_ = 0;
};
