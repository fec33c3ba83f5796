// Work in a child process: answers come back, and a child that ends or hangs costs
// one answer and nothing else.
#include "ChildWorker.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <unistd.h>

namespace {

// Echoes the request reversed; "abort" ends the child, "hang" never answers.
ChildWorker::Bytes reversedOrWorse(const ChildWorker::Bytes& request)
{
    const std::string text(request.begin(), request.end());
    if (text == "abort") std::abort();
    if (text == "hang") pause();
    return {request.rbegin(), request.rend()};
}

ChildWorker::Bytes bytes(const std::string& text) { return {text.begin(), text.end()}; }

} // namespace

TEST(ChildWorker, AnswersRequestOneAfterAnother)
{
    ChildWorker worker(reversedOrWorse, 5000);
    EXPECT_EQ(worker.ask(bytes("abc")), bytes("cba"));
    EXPECT_EQ(worker.ask(bytes("")), bytes(""));
    const ChildWorker::Bytes large(3 << 20, 7); // more than a socket buffer holds
    EXPECT_EQ(worker.ask(large), large);
}

TEST(ChildWorker, AChildThatEndsOrHangsGivesNoAnswerAndTheNextRequestIsAnswered)
{
    ChildWorker worker(reversedOrWorse, 300);
    EXPECT_EQ(worker.ask(bytes("abort")), std::nullopt);
    EXPECT_EQ(worker.ask(bytes("12")), bytes("21"));
    EXPECT_EQ(worker.ask(bytes("hang")), std::nullopt);
    EXPECT_EQ(worker.ask(bytes("xy")), bytes("yx"));
}
