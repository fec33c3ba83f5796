// Work in a child process: answers come back, and a child that ends, hangs or takes
// more memory than its budget costs one answer and nothing else.
#include "ChildWorker.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

#include <unistd.h>

namespace {

// Echoes the request reversed; "abort" ends the child, "hang" never answers, "claim"
// takes and fills 256 MB.
ChildWorker::Bytes reversedOrWorse(const ChildWorker::Bytes& request)
{
    const std::string text(request.begin(), request.end());
    if (text == "abort") std::abort();
    if (text == "hang") pause();
    if (text == "claim") {
        const std::vector<uint8_t> claimed(size_t{256} << 20, 1);
        return {claimed.back()};
    }
    return {request.rbegin(), request.rend()};
}

ChildWorker::Bytes bytes(const std::string& text) { return {text.begin(), text.end()}; }

const ChildWorker::MemoryBudget roomy{size_t{4} << 30, 4};

} // namespace

TEST(ChildWorker, AnswersRequestOneAfterAnother)
{
    ChildWorker worker(reversedOrWorse, 5000, roomy);
    EXPECT_EQ(worker.ask(bytes("abc")), bytes("cba"));
    EXPECT_EQ(worker.ask(bytes("")), bytes(""));
    const ChildWorker::Bytes large(3 << 20, 7); // more than a socket buffer holds
    EXPECT_EQ(worker.ask(large), large);
}

TEST(ChildWorker, AChildThatEndsOrHangsGivesNoAnswerAndTheNextRequestIsAnswered)
{
    ChildWorker worker(reversedOrWorse, 300, roomy);
    EXPECT_EQ(worker.ask(bytes("abort")), std::nullopt);
    EXPECT_EQ(worker.ask(bytes("12")), bytes("21"));
    EXPECT_EQ(worker.ask(bytes("hang")), std::nullopt);
    EXPECT_EQ(worker.ask(bytes("xy")), bytes("yx"));
}

TEST(ChildWorker, WorkThatTakesMoreMemoryThanItsBudgetEndsTheChildAndTheNextRequestIsAnswered)
{
    ChildWorker roomyWorker(reversedOrWorse, 5000, roomy);
    EXPECT_EQ(roomyWorker.ask(bytes("claim")), bytes("\x01"));

    ChildWorker tightWorker(reversedOrWorse, 5000, {32 << 20, 4});
    EXPECT_EQ(tightWorker.ask(bytes("claim")), std::nullopt);
    const ChildWorker::Bytes large(3 << 20, 7); // within the budget for its size
    EXPECT_EQ(tightWorker.ask(large), large);
}
