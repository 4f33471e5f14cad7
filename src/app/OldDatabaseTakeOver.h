#pragma once

#include <QString>

#include <filesystem>

namespace brassbell {

class Dialogs;

// Carries a Rules.mdb that is still a Jet database over into Brassbell's own format before
// it is opened, and tells the user what was taken over, or why not. Returns a line to add
// under the open-failure message when the file stays a Jet database that this build cannot
// convert; otherwise the empty text. Any other file is left alone.
QString takeOverOldDatabase(const std::filesystem::path& rulesMdb, Dialogs& dialogs);

} // namespace brassbell
