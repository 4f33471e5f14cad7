#pragma once

#include <QString>

#include <filesystem>
#include <string>
#include <vector>

namespace brassbell::testing {

// The shared Jet 4 sample and its manifest, kept in tests/store/jet/data.
std::filesystem::path jetSample();
std::filesystem::path jetManifest();

// Replaces the UTF-16 text `from` by `to` (same length) wherever it stands in the page of
// `bytes` that also holds `landmark`; fails the test when nothing was replaced.
void renameInPage(std::string& bytes, const QString& landmark, const QString& from, const QString& to);

// The names of the files in `folder`, sorted.
std::vector<std::string> filesIn(const std::filesystem::path& folder);

} // namespace brassbell::testing
