#include "ChildWorker.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>

#include <malloc.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Requests a child answers before another takes its place: memory a library loses on
// damaged files stays with the child until then.
constexpr int mostAnswers = 500;

using Clock = std::chrono::steady_clock;

// Messages go as their length in 8 bytes, then their bytes.
bool sendMessage(int socket, const ChildWorker::Bytes& message)
{
    uint8_t length[8];
    for (int i = 0; i < 8; ++i) length[i] = static_cast<uint8_t>(static_cast<uint64_t>(message.size()) >> (8 * i));
    const auto sendAll = [socket](const uint8_t* data, size_t size) {
        for (size_t done = 0; done < size;) {
            // MSG_NOSIGNAL: a child that has ended must not end the program with SIGPIPE.
            const ssize_t put = send(socket, data + done, size - done, MSG_NOSIGNAL);
            if (put < 0 && errno == EINTR) continue;
            if (put <= 0) return false;
            done += static_cast<size_t>(put);
        }
        return true;
    };
    return sendAll(length, sizeof length) && sendAll(message.data(), message.size());
}

// Reads `size` bytes; waits at most until the deadline when one is given.
bool receiveAll(int socket, uint8_t* data, size_t size, std::optional<Clock::time_point> deadline)
{
    for (size_t done = 0; done < size;) {
        if (deadline) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(*deadline - Clock::now()).count();
            pollfd wait{socket, POLLIN, 0};
            const int ready = poll(&wait, 1, static_cast<int>(left > 0 ? left : 0));
            if (ready < 0 && errno == EINTR) continue;
            if (ready <= 0) return false;
        }
        const ssize_t got = recv(socket, data + done, size - done, 0);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        done += static_cast<size_t>(got);
    }
    return true;
}

std::optional<ChildWorker::Bytes> receiveMessage(int socket, std::optional<Clock::time_point> deadline = std::nullopt)
{
    uint8_t length[8];
    if (!receiveAll(socket, length, sizeof length, deadline)) return std::nullopt;
    uint64_t size = 0;
    for (int i = 7; i >= 0; --i) size = size << 8 | length[i];
    if (size > (uint64_t{1} << 32)) return std::nullopt;
    ChildWorker::Bytes message(static_cast<size_t>(size));
    if (!receiveAll(socket, message.data(), message.size(), deadline)) return std::nullopt;
    return message;
}

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

// The child: answers requests until the program closes its end. It keeps the memory
// it frees for the next request rather than give it back and take it again: pages
// taken anew cost a tenth of decoding a slice. Work that fails (memory refused, say)
// ends the child without an answer.
[[noreturn]] void serve(int socket, ChildWorker::Work work, ChildWorker::MemoryBudget budget)
{
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
    for (;;) {
        const auto request = receiveMessage(socket);
        if (!request) _exit(0);
        limitMemory(budget.bytes + budget.perRequestByte * request->size());
        ChildWorker::Bytes answer;
        try {
            answer = work(*request);
        } catch (...) {
            _exit(1);
        }
        if (!sendMessage(socket, answer)) _exit(0);
    }
}

} // namespace

ChildWorker::ChildWorker(Work work, int longestMs, MemoryBudget budget)
    : work_(work), longestMs_(longestMs), budget_(budget)
{
}

ChildWorker::~ChildWorker() { stop(); }

bool ChildWorker::start()
{
    int ends[2];
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) return false;
    const pid_t child = fork();
    if (child == 0) {
        // The child keeps its own end and the standard streams, nothing else of the
        // program's; a fatal signal ends it as it would any process, whatever handler the
        // program had set for it (a crash report of the program's own, say).
        if (dup2(ends[1], 3) < 0) _exit(1);
        close_range(4, ~0U, 0);
        for (int fatal : {SIGABRT, SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGTRAP, SIGSYS, SIGALRM, SIGXCPU, SIGXFSZ})
            signal(fatal, SIG_DFL);
        serve(3, work_, budget_);
    }
    close(ends[1]);
    if (child < 0) {
        close(ends[0]);
        return false;
    }
    child_ = child;
    socket_ = ends[0];
    answered_ = 0;
    return true;
}

void ChildWorker::stop()
{
    if (child_ < 0) return;
    close(socket_);
    kill(child_, SIGKILL);
    while (waitpid(child_, nullptr, 0) < 0 && errno == EINTR) {}
    child_ = -1;
    socket_ = -1;
}

std::optional<ChildWorker::Bytes> ChildWorker::ask(const Bytes& request)
{
    if (child_ >= 0 && answered_ >= mostAnswers) stop();
    if (child_ < 0 && !start()) return std::nullopt;
    const auto deadline = Clock::now() + std::chrono::milliseconds(longestMs_);
    std::optional<Bytes> answer;
    if (sendMessage(socket_, request)) answer = receiveMessage(socket_, deadline);
    if (!answer) stop();
    else ++answered_;
    return answer;
}
