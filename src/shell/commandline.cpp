#include "shell/commandline.h"

#include "shell/foregroundmonitor.h"

#include <algorithm>

namespace vantor {

namespace {

std::string namesList() {
    std::string list;
    for (const std::string& name : commandNames())
        list += (list.empty() ? "" : ", ") + name;
    return list;
}

ArgumentsAnswer say(std::string line, bool error = false, int status = 0) {
    return {std::move(line), error, status, {}};
}

ArgumentsAnswer refuse(const std::string& what) {
    return say("vantor-screen-tools: " + what + "; see --help.\n", true, 2);
}

} // namespace

std::optional<ArgumentsAnswer> answerArguments(const std::vector<std::string>& arguments) {
    if (arguments.empty())
        return std::nullopt;
    const std::string& first = arguments.front();
    if (first == "--run") {
        if (arguments.size() < 2)
            return refuse("--run needs a command: " + namesList());
        const std::string& command = arguments[1];
        const auto& names = commandNames();
        if (std::find(names.begin(), names.end(), command) == names.end())
            return refuse("unknown command \"" + command + "\" for --run; the commands are " +
                          namesList());
        if (arguments.size() > 2)
            return refuse("unexpected argument \"" + arguments[2] + "\"");
        ArgumentsAnswer answer;
        answer.handOver = command;
        return answer;
    }
    const bool known = first == "--version" || first == "--help";
    if (known && arguments.size() == 1) {
        if (first == "--version")
            return say("vantor-screen-tools " VANTOR_VERSION "\n");
        return say("Usage: vantor-screen-tools [--version | --help | --run COMMAND]. "
                   "Without an argument it starts in the notification area; --run "
                   "hands COMMAND to the copy that runs (" +
                   namesList() + ").\n");
    }
    return refuse("unexpected argument \"" + (known ? arguments[1] : first) + "\"");
}

ArgumentsAnswer answerHandOver(const std::string& command, HandOver result) {
    switch (result) {
    case HandOver::Delivered:
        return {};
    case HandOver::NoCopyRuns:
        return say("vantor-screen-tools: no copy of the program runs on this display, so \"" +
                       command + "\" was not run; start the program first.\n",
                   true, 1);
    case HandOver::Failed:
        break;
    }
    return say("vantor-screen-tools: the running copy did not take \"" + command +
                   "\" in time; nothing was run.\n",
               true, 1);
}

} // namespace vantor
