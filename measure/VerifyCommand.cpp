// verify: the self-check, one line per phantom measured; 0 only when all pass.
#include "Commands.h"

#include "SelfChecks.h"

int runVerify(const CommandLine&, std::ostream& out) { return printSelfChecks(selfChecks(), out); }
