#pragma once

#include <filesystem>

namespace brassbell::bench {

// A Rules.mdb at `file` with `rows` records in each list table: texts to say and to speak at
// random, basic rules, languages, user-defined entries, and one translation per rule into the
// first language. Written in one transaction so large tables are quick to make.
void makeFilledRulesDb(const std::filesystem::path& file, int rows);

// A folder of its own under the temporary folder, gone with the object.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

} // namespace brassbell::bench
