#pragma once

#include <filesystem>
#include <string>

namespace brassbell {

// Where Rules.mdb lives, decided once at start.
struct RulesMdbPlace {
    std::filesystem::path file;
    std::string problem; // why the user's own copy could not be made; empty when nothing failed
};

// A Rules.mdb beside the program wins (portable use, the build folder, Windows). Otherwise, in an
// installed build, whose pristine Rules.mdb lies in `../share/brassbell/` beside the program's
// folder, the user's own `<dataHome>/brassbell/Rules.mdb`, made on the first start as a copy of
// the pristine one. Otherwise the file beside the program, which the start then finds missing.
// A file that exists is never overwritten, and a copy that fails leaves nothing behind.
RulesMdbPlace findRulesMdb(const std::filesystem::path& programFolder, const std::filesystem::path& dataHome);

// The user's data folder: $XDG_DATA_HOME where it is an absolute path, else $HOME/.local/share.
std::filesystem::path userDataHome(const char* xdgDataHome, const char* home);

} // namespace brassbell
