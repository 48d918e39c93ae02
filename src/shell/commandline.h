#pragma once

#include "platform/commandchannel.h"

#include <optional>
#include <string>
#include <vector>

namespace vantor {

// What the program says to its command-line arguments, before any window or lock is touched.
struct ArgumentsAnswer {
    std::string line; // one line, with its newline
    bool toStandardError = false;
    int exitStatus = 0;
    // A command to hand to the copy that runs ("--run NAME"); line is then empty.
    std::string handOver;
};

// The answer to the arguments after the program's name: "--version" and "--help" print a line
// and end the program with status 0, "--run NAME" with a known name is a command to hand over,
// anything else is refused with status 2. Nothing when there are no arguments and the program
// starts.
std::optional<ArgumentsAnswer> answerArguments(const std::vector<std::string>& arguments);

// What the second copy says and its exit status once it has tried to hand command over.
ArgumentsAnswer answerHandOver(const std::string& command, HandOver result);

} // namespace vantor
