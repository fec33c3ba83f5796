// The helper program of the child worker's tests. It answers a request with the request
// reversed, except: "pid" gives its process id; "abort", "hang" and "stop" end it,
// never answer, or stop it with SIGSTOP; "claim" takes and fills 256 MB; "once:WHAT:PATH"
// does WHAT the first time only (it creates PATH to know) and answers "again" after;
// "overflow" reads past a buffer, for the sanitizers to report.
// Its memory budget is its argument, in MB.
#include "ChildServing.h"

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <string>

#include <unistd.h>

namespace {

ByteBuffer bytes(const std::string& text) { return {text.begin(), text.end()}; }

ByteBuffer reversedOrWorse(const ByteBuffer& request)
{
    std::string text(request.begin(), request.end());
    if (text.rfind("once:", 0) == 0) {
        const size_t colon = text.find(':', 5);
        const std::string marker = text.substr(colon + 1);
        if (std::ifstream(marker).good()) return bytes("again");
        std::ofstream{marker};
        text = text.substr(5, colon - 5);
    }
    if (text == "pid") return bytes(std::to_string(getpid()));
    if (text == "abort") std::abort();
    if (text == "hang") pause();
    if (text == "stop") raise(SIGSTOP);
    if (text == "overflow") {
        const ByteBuffer four(4, 1);
        return {four.data()[text.size() - 4]}; // one past the end
    }
    if (text == "claim") {
        const ByteBuffer claimed(size_t{256} << 20, 1);
        return {claimed.back()};
    }
    return {request.rbegin(), request.rend()};
}

} // namespace

int main(int argc, char** argv)
{
    const size_t budgetMb = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 4096;
    serveRequests(reversedOrWorse, {budgetMb << 20, 4});
}
