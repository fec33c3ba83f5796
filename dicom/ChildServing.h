#pragma once
// The child's side of ChildWorker: a helper program's main loop, answering one request
// after another on the socket the program gave it, until the program closes its end.
#include "Samples.h"

#include <cstddef>

// The socket a helper program finds its requests on.
inline constexpr int childSocket = 3;

// The memory one request may take in the child beyond what the child holds before it:
// a library given damaged data can claim gigabytes, and past this it fails at once and
// the child ends.
struct MemoryBudget {
    size_t bytes;          // for any request
    size_t perRequestByte; // and this much more for each byte of the request
};

using Work = ByteBuffer (*)(const ByteBuffer& request);

// Work that fails (memory refused, say) ends the child without an answer.
[[noreturn]] void serveRequests(Work work, MemoryBudget budget);
