// Recognising a Jet Rules.mdb at start-up, and the command-line conversion for admins.
#include "JetTestFiles.h"
#include "SqlPeek.h"
#include "TempRulesDb.h"

#include "store/Store.h"
#include "store/jet/JetDetect.h"
#include "store/jet/JetMigration.h"

#include <gtest/gtest.h>

#include <sstream>

namespace brassbell {
namespace {

using test::bytesOf;
using test::writeBytes;
using testing::filesIn;
using testing::jetSample;

struct Header {
    const char* name;
    std::string bytes;
    bool isJet;
};

const std::string kJetHeader = std::string("\x00\x01\x00\x00", 4) + "Standard Jet DB";

TEST(JetDetect, OnlyAJetHeaderCountsAsJet) {
    const Header cases[] = {
        {"jet header", kJetHeader + std::string(100, '\0'), true},
        {"jet header alone", kJetHeader, true},
        {"access 2007 header",
         std::string("\x00\x01\x00\x00", 4) + "Standard ACE DB" + std::string(100, '\0'), false},
        {"header cut short", kJetHeader.substr(0, 12), false},
        {"text without the leading bytes", "Standard Jet DB and more", false},
        {"sqlite file", "SQLite format 3" + std::string(1, '\0') + std::string(100, 'x'), false},
        {"empty file", "", false},
    };
    TempRulesDb temp;
    EXPECT_FALSE(isJetDatabase(temp.path())) << "a fresh Rules.mdb of ours";
    EXPECT_FALSE(isJetDatabase(temp.folder() / "missing.mdb"));
    EXPECT_FALSE(isJetDatabase(temp.folder())) << "a folder";
    EXPECT_TRUE(isJetDatabase(jetSample()));
    for (const Header& header : cases) {
        const auto file = temp.folder() / "candidate.mdb";
        writeBytes(file, header.bytes);
        EXPECT_EQ(isJetDatabase(file), header.isJet) << header.name;
    }
}

class ConvertJet : public ::testing::Test {
protected:
    int run(const std::vector<std::string>& args) { return runConvertJet(args, out_, err_); }
    std::filesystem::path folder() const { return temp_.folder(); }

    TempRulesDb temp_;
    std::ostringstream out_;
    std::ostringstream err_;
};

TEST_F(ConvertJet, ConvertsAndLeavesTheOldFileAsItWas) {
    const auto old = folder() / "Old.mdb";
    const auto converted = folder() / "New.mdb";
    writeBytes(old, bytesOf(jetSample()));

    EXPECT_EQ(run({old.string(), converted.string()}), 0) << err_.str();
    EXPECT_EQ(bytesOf(old), bytesOf(jetSample()));
    EXPECT_NE(out_.str().find("5 stored texts"), std::string::npos) << out_.str();
    EXPECT_NE(out_.str().find("The new database is " + converted.string()), std::string::npos);
    EXPECT_EQ(out_.str().find('\r'), std::string::npos) << "a console wants plain line ends";
    EXPECT_TRUE(err_.str().empty());

    Store store(converted);
    store.fDBConnect(true);
    EXPECT_EQ(store.fGetRndTimer(), 45);
}

TEST_F(ConvertJet, FailuresExitNonZeroWithAClearMessageAndNoFile) {
    const auto old = folder() / "Old.mdb";
    writeBytes(old, bytesOf(jetSample()));
    const auto notJet = folder() / "Rules.mdb"; // our own SQLite file
    const std::string ours = bytesOf(notJet);
    const auto target = folder() / "New.mdb";
    const auto missing = folder() / "Gone.mdb";
    struct Case {
        const char* name;
        std::vector<std::string> args;
        int status;
        std::string says;
    };
    const Case cases[] = {
        {"not a Jet file", {notJet.string(), target.string()}, 1, "is not a Jet database"},
        {"missing file", {missing.string(), target.string()}, 1, "is not a Jet database"},
        {"no arguments", {}, 2, "Usage: brassbell --convert-jet OLD.mdb NEW.mdb"},
        {"one argument", {notJet.string()}, 2, "Usage: brassbell --convert-jet OLD.mdb NEW.mdb"},
        {"existing target", {old.string(), notJet.string()}, 1, "already exists"},
    };
    for (const Case& c : cases) {
        err_.str({});
        EXPECT_EQ(run(c.args), c.status) << c.name;
        EXPECT_NE(err_.str().find(c.says), std::string::npos) << c.name << ": " << err_.str();
    }
    EXPECT_EQ(filesIn(folder()), (std::vector<std::string>{"Old.mdb", "Rules.mdb"}));
    EXPECT_EQ(bytesOf(notJet), ours);
    EXPECT_TRUE(out_.str().empty());
}

} // namespace
} // namespace brassbell
