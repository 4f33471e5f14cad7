#include "JetTestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace brassbell::testing {

namespace {

constexpr std::size_t kJetPage = 4096;

std::string utf16Bytes(const QString& text) {
    std::string bytes;
    for (const QChar c : text) {
        bytes.push_back(static_cast<char>(c.unicode() & 0xFF));
        bytes.push_back(static_cast<char>(c.unicode() >> 8));
    }
    return bytes;
}

} // namespace

std::filesystem::path jetSample() {
    return std::filesystem::path(BRASSBELL_JET_DATA) / "shared-sample-jet4.mdb";
}
std::filesystem::path jetManifest() {
    return std::filesystem::path(BRASSBELL_JET_DATA) / "shared-sample-jet4.mdb.json";
}

void renameInPage(std::string& bytes, const QString& landmark, const QString& from, const QString& to) {
    ASSERT_EQ(from.size(), to.size());
    const std::size_t mark = bytes.find(utf16Bytes(landmark));
    ASSERT_NE(mark, std::string::npos) << landmark.toStdString();
    const std::size_t pageStart = mark / kJetPage * kJetPage;
    const std::string pattern = utf16Bytes(from);
    const std::string replacement = utf16Bytes(to);
    int replaced = 0;
    for (std::size_t at = bytes.find(pattern, pageStart);
         at != std::string::npos && at < pageStart + kJetPage; at = bytes.find(pattern, at + 1)) {
        bytes.replace(at, pattern.size(), replacement);
        ++replaced;
    }
    ASSERT_GT(replaced, 0) << from.toStdString();
}

std::vector<std::string> filesIn(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::ranges::sort(names);
    return names;
}

} // namespace brassbell::testing
