#include "app/RulesMdbPlace.h"

#include "store/PathText.h"

#include <random>
#include <system_error>

namespace brassbell {

namespace {

// Copied under a name of its own, then linked in place: a link never replaces a file that
// appeared meanwhile, and an interrupted copy never stands under the final name.
std::string copyWithoutOverwriting(const std::filesystem::path& from, const std::filesystem::path& to) {
    std::error_code ec;
    std::filesystem::create_directories(to.parent_path(), ec);
    if (ec)
        return "The folder " + pathText(to.parent_path()) + " cannot be made: " + ec.message();
    std::filesystem::path partial = to;
    partial += ".copying-" + std::to_string(std::random_device{}() % 1000000u);
    std::filesystem::copy_file(from, partial, ec);
    if (!ec) {
        std::filesystem::create_hard_link(partial, to, ec);
        // A file system without links: renamed, still only where nothing stands yet.
        if (ec && ec != std::errc::file_exists) {
            ec.clear();
            if (!std::filesystem::exists(to, ec))
                std::filesystem::rename(partial, to, ec);
        }
    }
    std::error_code ignored;
    std::filesystem::remove(partial, ignored);
    if (ec && !std::filesystem::exists(to, ignored))
        return "Your own Rules.mdb cannot be made as " + pathText(to) + ": " + ec.message();
    return {};
}

} // namespace

RulesMdbPlace findRulesMdb(const std::filesystem::path& programFolder,
                           const std::filesystem::path& dataHome) {
    std::error_code ec;
    const std::filesystem::path beside = programFolder / "Rules.mdb";
    const std::filesystem::path pristine = programFolder.parent_path() / "share" / "brassbell" / "Rules.mdb";
    if (std::filesystem::exists(beside, ec) || !std::filesystem::is_regular_file(pristine, ec) ||
        dataHome.empty())
        return {beside, {}};
    const std::filesystem::path own = dataHome / "brassbell" / "Rules.mdb";
    if (std::filesystem::exists(own, ec))
        return {own, {}};
    return {own, copyWithoutOverwriting(pristine, own)};
}

std::filesystem::path userDataHome(const char* xdgDataHome, const char* home) {
    if (xdgDataHome != nullptr && std::filesystem::path(xdgDataHome).is_absolute())
        return pathFromText(xdgDataHome);
    if (home != nullptr && *home != '\0')
        return pathFromText(home) / ".local" / "share";
    return {};
}

} // namespace brassbell
