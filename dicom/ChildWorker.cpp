#include "ChildWorker.h"

#include "AppError.h"
#include "ChildMessages.h"
#include "ChildServing.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

// Requests a helper answers before another takes its place: memory a library loses on
// damaged files stays with the helper until then.
constexpr int mostAnswers = 500;
// How often a wait looks whether the helper has ended or been stopped: a stopped one
// would otherwise hold the request until the deadline.
constexpr int lookEveryMs = 50;
constexpr int socketBuffer = 4 << 20;

#ifdef CTIQ_SANITIZER_LOG
// Under the sanitizers the helper writes its reports to CTIQ_SANITIZER_LOG.<pid>
// rather than to a standard error stream nobody reads. Memory past its budget is
// refused to it as it is without them (new throws), not reported.
std::string withLogPath(const char* name, const std::string& prefix)
{
    const char* inherited = std::getenv(name);
    std::string options = std::string(name) + "=";
    if (inherited != nullptr && *inherited != '\0') options += std::string(inherited) + ":";
    return options + "allocator_may_return_null=1:log_path=" + prefix;
}
#endif

// The helper's environment: this program's, and, under the sanitizers, where the
// helper's reports go.
std::vector<std::string> helperEnvironment()
{
    std::vector<std::string> variables;
    for (char** variable = environ; *variable != nullptr; ++variable) {
#ifdef CTIQ_SANITIZER_LOG
        if (std::strncmp(*variable, "ASAN_OPTIONS=", 13) == 0 || std::strncmp(*variable, "UBSAN_OPTIONS=", 14) == 0)
            continue;
#endif
        variables.emplace_back(*variable);
    }
#ifdef CTIQ_SANITIZER_LOG
    variables.push_back(withLogPath("ASAN_OPTIONS", CTIQ_SANITIZER_LOG));
    variables.push_back(withLogPath("UBSAN_OPTIONS", CTIQ_SANITIZER_LOG));
#endif
    return variables;
}

std::vector<char*> pointersTo(std::vector<std::string>& texts)
{
    std::vector<char*> pointers;
    for (std::string& text : texts) pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

#ifdef CTIQ_SANITIZER_LOG
std::string sanitizerLog(pid_t helper) { return std::string(CTIQ_SANITIZER_LOG) + "." + std::to_string(helper); }
#endif

// A log left by an earlier helper of the same process id is not this one's.
void clearSanitizerLog([[maybe_unused]] pid_t helper)
{
#ifdef CTIQ_SANITIZER_LOG
    unlink(sanitizerLog(helper).c_str());
#endif
}

// A sanitizer report of the helper ends this program as a report of its own would, so
// that no test or fuzzer run passes over it.
void failOnSanitizerReport([[maybe_unused]] pid_t helper)
{
#ifdef CTIQ_SANITIZER_LOG
    const std::string log = sanitizerLog(helper);
    std::ifstream in(log, std::ios::binary);
    const std::string report{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    // Past its memory budget, operator new under AddressSanitizer reports and ends the
    // helper rather than throw: that is the budget at work, not a fault.
    if (report.empty() || report.find("AddressSanitizer: allocator is out of memory") != std::string::npos) return;
    std::cerr << "The helper program " << helper << " wrote a sanitizer report (" << log << "):\n" << report;
    std::abort();
#endif
}

} // namespace

ChildWorker::ChildWorker(std::vector<std::string> command, int longestMs)
    : command_(std::move(command)), longestMs_(longestMs)
{
}

ChildWorker::~ChildWorker() { stop(); }

bool ChildWorker::start(std::string& failure)
{
    int ends[2];
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) {
        failure = Msg::helperCannotStart(command_.front(), std::strerror(errno));
        return false;
    }
    // A whole answer (a decoded slice) fits the socket's buffer where the system allows
    // it: the helper writes it at once, not in turns with this program, each turn a
    // wait for the scheduler on a busy machine.
    for (const int end : ends) setsockopt(end, SOL_SOCKET, SO_SNDBUF, &socketBuffer, sizeof socketBuffer);
    // The helper gets its end of the socket and the standard streams, nothing else of
    // this program's; no signal blocked or ignored here stays so there.
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_adddup2(&files, ends[1], childSocket);
    posix_spawn_file_actions_addclosefrom_np(&files, childSocket + 1);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t signals;
    sigemptyset(&signals);
    posix_spawnattr_setsigmask(&attributes, &signals);
    sigfillset(&signals);
    posix_spawnattr_setsigdefault(&attributes, &signals);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    std::vector<std::string> arguments = command_;
    std::vector<std::string> environment = helperEnvironment();
    pid_t child = -1;
    const int error = posix_spawn(&child, arguments.front().c_str(), &files, &attributes, pointersTo(arguments).data(),
                                  pointersTo(environment).data());
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&files);
    close(ends[1]);
    if (error != 0) {
        close(ends[0]);
        failure = Msg::helperCannotStart(command_.front(), std::strerror(error));
        return false;
    }
    clearSanitizerLog(child);
    child_ = child;
    socket_ = ends[0];
    answered_ = 0;
    waitStatus_.reset();
    return true;
}

// Ends the helper and tells how it ended.
std::string ChildWorker::stop()
{
    if (child_ < 0) return {};
    close(socket_);
    const bool stopped = waitStatus_ && WIFSTOPPED(*waitStatus_);
    if (!waitStatus_ || stopped) {
        // A helper that has ended itself keeps the status it ended with.
        kill(child_, SIGKILL);
        int status = 0;
        while (waitpid(child_, &status, 0) < 0 && errno == EINTR) {}
        if (!stopped) waitStatus_ = status;
    }
    failOnSanitizerReport(child_);
    const int status = *waitStatus_;
    child_ = -1;
    socket_ = -1;
    waitStatus_.reset();
    if (late_) return Msg::helperTookTooLong(tryMs());
    if (WIFSTOPPED(status)) return Msg::helperStopped(WSTOPSIG(status));
    if (WIFSIGNALED(status)) return Msg::helperEndedBySignal(WTERMSIG(status));
    return Msg::helperEnded(WEXITSTATUS(status));
}

// Waits for the socket until the deadline, looking now and then whether the helper
// has ended or been stopped; false when there is no point in waiting further.
bool ChildWorker::waitReady(int socket, short events, Clock::time_point deadline)
{
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) {
            late_ = true;
            return false;
        }
        pollfd ready{socket, events, 0};
        const int found = poll(&ready, 1, static_cast<int>(std::min<long long>(left, lookEveryMs)));
        if (found > 0) return true;
        if (found < 0 && errno != EINTR) return false;
        int status = 0;
        if (waitpid(child_, &status, WNOHANG | WUNTRACED) == child_) {
            waitStatus_ = status;
            return false;
        }
    }
}

std::optional<ByteBuffer> ChildWorker::tryOnce(const ByteBuffer& request, std::string& failure)
{
    const auto deadline = Clock::now() + std::chrono::milliseconds(tryMs());
    if (child_ >= 0 && answered_ >= mostAnswers) stop();
    if (child_ < 0 && !start(failure)) return std::nullopt;
    late_ = false;
    const WaitReady wait = [this, deadline](int socket, short events) { return waitReady(socket, events, deadline); };
    std::optional<ByteBuffer> answer;
    if (sendMessage(socket_, request, wait)) answer = receiveMessage(socket_, wait);
    if (answer) {
        ++answered_;
    } else {
        failure = stop();
    }
    late_ = false;
    return answer;
}

ChildWorker::Reply ChildWorker::ask(const ByteBuffer& request)
{
    Reply reply;
    // A helper that failed may have failed for reasons of its own (killed, stopped,
    // starved of time by the machine): only a request that fails twice has no answer.
    for (int tries = 0; tries < 2 && !reply.answer; ++tries) reply.answer = tryOnce(request, reply.failure);
    if (reply.answer) reply.failure.clear();
    return reply;
}
