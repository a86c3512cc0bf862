#include "app/command_line.h"

namespace tolarka {

StartRequest ReadCommandLine(const std::vector<std::string>& args) {
    StartRequest request;
    for (const auto& arg : args) {
        if (arg == "--help" || arg == "-h") return {StartAction::Help, {}, {}};
        if (arg == "--version" || arg == "-V") return {StartAction::Version, {}, {}};
    }
    for (const auto& arg : args) {
        if (arg.starts_with("--")) {
            request.Ignored.push_back(arg);
            continue;
        }
        request.CommandLine += (request.CommandLine.empty() ? "" : " ") + arg;
    }
    return request;
}

std::string HelpText(const GamePaths& paths) {
    const std::string own =
        paths.OwnQuestions.empty() ? "(není známý domovský adresář)" : paths.OwnQuestions.string();
    return "Použití: tolarka [no_fullscreen]\n"
           "Televizní vědomostní soutěž: patnáct otázek až k výhře 10 000 000 Kč.\n"
           "\n"
           "  no_fullscreen   hrát v okně místo na celé obrazovce\n"
           "  -h, --help      vypsat tuto nápovědu a skončit\n"
           "  -V, --version   vypsat verzi a skončit\n"
           "\n"
           "Ve hře: A, B, C, D odpověď; F5 50:50; F6 přítel na telefonu; F7 rada publika.\n"
           "Kdykoli: F8 vypne a zase zapne zvuk.\n"
           "\n"
           "Data hry:          " +
           paths.Data.string() +
           "\n"
           "Uložené hry:       " +
           (paths.Writable / "save").string() +
           "\n"
           "Poslední otázky:   " +
           (paths.Writable / "logs").string() +
           "\n"
           "Vlastní otázky:    " +
           own + " (viz tolarka-qst --help)\n";
}

std::string VersionText() { return std::string("tolarka ") + TOLARKA_VERSION; }

}  // namespace tolarka
