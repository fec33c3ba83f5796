// Work in a helper program: answers come back; a helper that ends, hangs, is stopped
// or takes more memory than its budget, idle or in the middle of a request, is
// replaced and the request asked again; only a request that fails twice has no
// answer, and then the reason says how the helper failed.
#include "AppError.h"
#include "ChildWorker.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <csignal>
#include <string>

#if defined(__SANITIZE_ADDRESS__)
#define UNDER_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define UNDER_ADDRESS_SANITIZER 1
#endif
#endif

namespace {

ByteBuffer bytes(const std::string& text) { return {text.begin(), text.end()}; }

std::vector<std::string> helper(const std::string& budgetMb = "4096") { return {CHILD_WORKER_HELPER, budgetMb}; }

pid_t helperPid(ChildWorker& worker)
{
    const auto reply = worker.ask(bytes("pid"));
    EXPECT_TRUE(reply.answer);
    return reply.answer ? std::stoi(std::string(reply.answer->begin(), reply.answer->end())) : -1;
}

const ByteBuffer large(3 << 20, 7); // more than a socket buffer holds

} // namespace

TEST(ChildWorker, AnswersRequestOneAfterAnother)
{
    ChildWorker worker(helper(), 5000);
    EXPECT_EQ(worker.ask(bytes("abc")).answer, bytes("cba"));
    EXPECT_EQ(worker.ask(bytes("")).answer, bytes(""));
    EXPECT_EQ(worker.ask(large).answer, large);
    const pid_t first = helperPid(worker);
    EXPECT_EQ(helperPid(worker), first); // one helper for them all
}

TEST(ChildWorker, AHelperKilledOrStoppedWhileIdleIsReplacedForTheNextRequest)
{
    ChildWorker worker(helper(), 5000);
    for (const int signal : {SIGKILL, SIGSTOP}) {
        for (const ByteBuffer& request : {bytes("xy"), large}) {
            SCOPED_TRACE(std::to_string(signal) + " then " + std::to_string(request.size()) + " bytes");
            const pid_t idle = helperPid(worker);
            ASSERT_EQ(kill(idle, signal), 0);
            const ChildWorker::Reply reply = worker.ask(request);
            EXPECT_EQ(reply.answer, ByteBuffer(request.rbegin(), request.rend()));
            EXPECT_EQ(reply.failure, "");
            EXPECT_NE(helperPid(worker), idle);
        }
    }
}

TEST(ChildWorker, AHelperThatFailsInTheMiddleOfARequestOnceIsAskedAgain)
{
    const TempFolder folder;
    ChildWorker worker(helper(), 4000);
    for (const char* what : {"abort", "hang", "stop"}) {
        SCOPED_TRACE(what);
        const std::string request = std::string("once:") + what + ":" + (folder.path() / what).string();
        EXPECT_EQ(worker.ask(bytes(request)).answer, bytes("again"));
    }
}

TEST(ChildWorker, ARequestThatFailsTwiceHasNoAnswerAndSaysHowTheHelperFailed)
{
    struct Case {
        const char* request;
        std::string failure;
    };
    const Case cases[] = {
        {"abort", Msg::helperEndedBySignal(SIGABRT)},
        {"hang", Msg::helperTookTooLong(150)}, // each try has half the time
        {"stop", Msg::helperStopped(SIGSTOP)},
    };
    ChildWorker worker(helper(), 300);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.request);
        const ChildWorker::Reply reply = worker.ask(bytes(c.request));
        EXPECT_EQ(reply.answer, std::nullopt);
        EXPECT_EQ(reply.failure, c.failure);
        EXPECT_EQ(worker.ask(bytes("12")).answer, bytes("21"));
    }
    ChildWorker missing({"/nonexistent/helper"}, 300);
    EXPECT_EQ(missing.ask(bytes("12")).failure,
              Msg::helperCannotStart("/nonexistent/helper", "No such file or directory"));
}

TEST(ChildWorker, WorkThatTakesMoreMemoryThanItsBudgetEndsTheHelperAndTheNextRequestIsAnswered)
{
    ChildWorker roomy(helper(), 30000);
    EXPECT_EQ(roomy.ask(bytes("claim")).answer, bytes("\x01"));

    ChildWorker tight(helper("32"), 30000);
    EXPECT_EQ(tight.ask(bytes("claim")).answer, std::nullopt);
    EXPECT_EQ(tight.ask(large).answer, large); // within the budget for its size
}

#ifdef UNDER_ADDRESS_SANITIZER
TEST(ChildWorker, ASanitizerReportOfTheHelperEndsTheProgramAsOneOfItsOwnWould)
{
    ChildWorker worker(helper(), 5000);
    EXPECT_DEATH(worker.ask(bytes("overflow")), "sanitizer report(.|\n)*heap-buffer-overflow");
}
#endif
