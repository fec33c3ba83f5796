#pragma once
// The self-check of `ctiq-measure verify`: phantoms with closed-form answers, built in
// memory and measured through the code the windows use, each compared with its truth.
#include <functional>
#include <ostream>
#include <string>
#include <vector>

struct SelfCheck {
    std::string name;            // what is measured on which phantom
    double truth = 0;            // the closed-form answer
    double tolerancePercent = 0; // of the truth
    std::function<double()> measure;
};

struct SelfCheckOutcome {
    std::string name;
    double measured = 0, truth = 0, tolerancePercent = 0;
    bool passed = false;
};

// The checks in the order they print. They share their phantoms, each built and
// measured once, when the first check that needs it runs.
std::vector<SelfCheck> selfChecks();

SelfCheckOutcome runSelfCheck(const SelfCheck& check);
// One line: the name, the measured value, the truth, the tolerance and PASS or FAIL,
// separated by tabs.
std::string selfCheckLine(const SelfCheckOutcome& outcome);

// Runs the checks in order, writing each line as it is done (CR LF ends); 0 when every
// check passed, 1 otherwise.
int printSelfChecks(const std::vector<SelfCheck>& checks, std::ostream& out);
