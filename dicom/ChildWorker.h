#pragma once
// Work that may end the process doing it (a library that stops at an assertion, or
// crashes, on a damaged file) done in a helper program kept running for it, so that
// whatever happens there ends only the helper. The helper is started (posix_spawn,
// never a bare fork of this threaded program) at the first request and answers one
// request after another on its socket (ChildServing.h); one that ends, stops or does
// not answer in time is ended, and the request is asked once more of a new one.
#include "Samples.h"

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include <sys/types.h>

class ChildWorker {
public:
    struct Reply {
        std::optional<ByteBuffer> answer;
        std::string failure; // how the second helper failed, when neither answered
    };

    // `command` is the helper program and its arguments; `longestMs` the time a request
    // may take, both tries together: each has half of it, from the helper's start, if it
    // has to start, to the last byte of its answer.
    ChildWorker(std::vector<std::string> command, int longestMs);
    ~ChildWorker();
    ChildWorker(const ChildWorker&) = delete;
    ChildWorker& operator=(const ChildWorker&) = delete;

    Reply ask(const ByteBuffer& request);

private:
    std::optional<ByteBuffer> tryOnce(const ByteBuffer& request, std::string& failure);
    bool start(std::string& failure);
    bool waitReady(int socket, short events, std::chrono::steady_clock::time_point deadline);
    std::string stop();
    int tryMs() const { return longestMs_ / 2; }

    const std::vector<std::string> command_;
    const int longestMs_;
    pid_t child_ = -1;
    int socket_ = -1;
    int answered_ = 0;
    std::optional<int> waitStatus_; // once the helper has ended or stopped
    bool late_ = false;             // the try ran out of time
};
