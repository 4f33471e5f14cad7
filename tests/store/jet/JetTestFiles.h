#pragma once

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace brassbell::testing {

// The shared Jet 4 sample, kept in tests/store/jet/data.
inline std::filesystem::path jetSample() {
    return std::filesystem::path(BRASSBELL_JET_DATA) / "shared-sample-jet4.mdb";
}

// The names of the files in `folder`, sorted.
inline std::vector<std::string> filesIn(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::ranges::sort(names);
    return names;
}

} // namespace brassbell::testing
