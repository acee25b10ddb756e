#include "CommandLineAnswers.h"

#include <cstdio>
#include <string_view>

namespace tav {

const char* const EditorHelpText =
    "Usage: TavrennaMapEditor [FILE.map]\n"
    "Edits the 48 x 48 battle maps of Tavrenna: paint tiles, shape the terrain, check the map against the\n"
    "game's rules, and load and save the 2306-byte .map files the game reads.\n"
    "\n"
    "Arguments:\n"
    "  FILE.map       The map to open at start.\n"
    "\n"
    "Options:\n"
    "  -h, --help     Show this help.\n"
    "  -v, --version  Show the version.\n"
    "  --             Take the next argument as the file name, even when it starts with '-'.\n"
    "\n"
    "Qt's own options, such as -platform NAME and -style NAME, are taken as well.\n"
    "Exit status: 0, or 2 when the command line is wrong.\n";

std::optional<int> AnswerWithoutWindow(int argc, const char* const* argv, const char* version) {
    bool help = false;
    bool showVersion = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument(argv[i]);
        if (argument == "--")
            break;
        help = help || argument == "-h" || argument == "--help";
        showVersion = showVersion || argument == "-v" || argument == "--version";
    }
    if (help)
        std::fputs(EditorHelpText, stdout);
    else if (showVersion)
        std::printf("TavrennaMapEditor %s\n", version);
    else
        return std::nullopt;
    std::fflush(stdout);
    return 0;
}

} // namespace tav
