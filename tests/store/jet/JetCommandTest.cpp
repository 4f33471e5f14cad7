// Recognising a Jet Rules.mdb at start-up, and the command-line conversion for admins.
#include "SqlPeek.h"
#include "TempRulesDb.h"

#include "store/PathText.h"
#include "store/jet/JetDetect.h"
#include "store/jet/JetMigration.h"

#include <gtest/gtest.h>

#include <sstream>

namespace brassbell::testing {
namespace {

const std::filesystem::path kJetSample = BRASSBELL_JET_SAMPLE;
const std::string kJetHeader = std::string("\x00\x01\x00\x00", 4) + "Standard Jet DB";

class JetCommandTest : public ::testing::Test {
protected:
    int run(const std::vector<std::string>& args) { return runConvertJet(args, out_, err_); }
    std::filesystem::path folder() const { return temp_.folder(); }

    TempRulesDb temp_;
    std::ostringstream out_, err_;
};

TEST_F(JetCommandTest, OnlyAJetHeaderCountsAsJet) {
    const std::pair<const char*, std::string> cases[] = {
        {"jet header alone", kJetHeader},
        {"access 2007 header",
         std::string("\x00\x01\x00\x00", 4) + "Standard ACE DB" + std::string(100, '\0')},
        {"text without the leading bytes", "Standard Jet DB and more"},
        {"empty file", ""},
    };
    const auto file = folder() / "candidate.mdb";
    for (const auto& [name, bytes] : cases) {
        writeBytes(file, bytes);
        EXPECT_EQ(isJetDatabase(file), bytes.starts_with(kJetHeader)) << name;
    }
    EXPECT_FALSE(isJetDatabase(folder() / "missing.mdb"));
    EXPECT_FALSE(isJetDatabase(folder())) << "a folder";
    EXPECT_TRUE(isJetDatabase(kJetSample));
}

TEST_F(JetCommandTest, ConvertsAndLeavesTheOldFileAsItWas) {
    const auto old = folder() / "Old.mdb";
    const auto converted = folder() / "New.mdb";
    writeBytes(old, bytesOf(kJetSample));
    EXPECT_EQ(run({pathText(old), pathText(converted)}), 0) << err_.str();
    EXPECT_EQ(bytesOf(old), bytesOf(kJetSample));
    EXPECT_NE(out_.str().find("5 stored texts"), std::string::npos) << out_.str();
    EXPECT_NE(out_.str().find("The new database is " + pathText(converted)), std::string::npos);
    EXPECT_EQ(out_.str().find('\r'), std::string::npos) << "a console wants plain line ends";
    EXPECT_TRUE(err_.str().empty());
}

TEST_F(JetCommandTest, FailuresExitNonZeroWithAClearMessageAndNoFile) {
    const auto old = folder() / "Old.mdb";
    writeBytes(old, bytesOf(kJetSample));
    const auto ours = folder() / "Rules.mdb"; // our own SQLite file
    const std::string oursBytes = bytesOf(ours);
    const auto target = pathText(folder() / "New.mdb");
    const std::string usage = "Usage: brassbell --convert-jet OLD.mdb NEW.mdb";
    const std::tuple<const char*, std::vector<std::string>, int, std::string> cases[] = {
        {"not a Jet file", {pathText(ours), target}, 1, "is not a Jet database"},
        {"missing file", {pathText(folder() / "Gone.mdb"), target}, 1, "Gone.mdb does not exist"},
        {"no arguments", {}, 2, usage},
        {"one argument", {pathText(ours)}, 2, usage},
        {"existing target", {pathText(old), pathText(ours)}, 1, "already exists"},
    };
    for (const auto& [name, args, status, says] : cases) {
        err_.str({});
        EXPECT_EQ(run(args), status) << name;
        EXPECT_NE(err_.str().find(says), std::string::npos) << name << ": " << err_.str();
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder()), {}), 2)
        << "Old.mdb and Rules.mdb only";
    EXPECT_EQ(bytesOf(ours), oursBytes);
    EXPECT_TRUE(out_.str().empty());
}

} // namespace
} // namespace brassbell::testing
