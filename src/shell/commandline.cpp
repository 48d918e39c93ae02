#include "shell/commandline.h"

namespace vantor {

std::optional<ArgumentsAnswer> answerArguments(const std::vector<std::string>& arguments) {
    if (arguments.empty())
        return std::nullopt;
    const std::string& first = arguments.front();
    const bool known = first == "--version" || first == "--help";
    if (known && arguments.size() == 1) {
        if (first == "--version")
            return ArgumentsAnswer{"vantor-screen-tools " VANTOR_VERSION "\n"};
        return ArgumentsAnswer{"Usage: vantor-screen-tools [--version | --help]. Without an "
                               "argument it starts in the notification area.\n"};
    }
    const std::string& unexpected = known ? arguments[1] : first;
    return ArgumentsAnswer{
        "vantor-screen-tools: unexpected argument \"" + unexpected + "\"; see --help.\n", true, 2};
}

} // namespace vantor
