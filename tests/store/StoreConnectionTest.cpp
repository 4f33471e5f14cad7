// Opening Rules.mdb: what opens, what is refused, and that a refused file stays as it was.
#include "store/Store.h"

#include "SqlPeek.h"
#include "TempRulesDb.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <functional>

namespace brassbell {
namespace {

using test::bytesOf;
using test::execute;
using test::peek;
using test::writeBytes;

TEST(StoreConnection, OpensTheDeliveredFileAndReleasesIt) {
    TempRulesDb db;
    Store store(db.path());
    EXPECT_FALSE(store.isOpen());
    EXPECT_TRUE(store.fDBConnect(true));
    EXPECT_TRUE(store.isOpen());
    EXPECT_EQ(store.path(), db.path());
    EXPECT_TRUE(store.fDBConnect(false));
    EXPECT_FALSE(store.isOpen());
    EXPECT_THROW(store.fGetSysPara(u"RndTimer"), StoreError);
}

struct BrokenFile {
    const char* name;
    std::function<void(const std::filesystem::path&)> spoil;
};

class StoreRefusesBrokenFile : public ::testing::TestWithParam<BrokenFile> {};

TEST_P(StoreRefusesBrokenFile, WithOpenErrorAndLeavesTheFileAlone) {
    TempRulesDb db;
    GetParam().spoil(db.path());
    const bool existed = std::filesystem::exists(db.path());
    const bool isFile = std::filesystem::is_regular_file(db.path());
    const std::string before = isFile ? bytesOf(db.path()) : std::string();

    Store store(db.path());
    try {
        store.fDBConnect(true);
        FAIL() << "opened a broken file";
    } catch (const StoreOpenError& e) {
        EXPECT_STRNE(e.what(), "");
    }
    EXPECT_FALSE(store.isOpen());
    ASSERT_EQ(std::filesystem::exists(db.path()), existed) << "opening must never create the file";
    if (isFile) {
        EXPECT_EQ(bytesOf(db.path()), before);
    }
}

std::function<void(const std::filesystem::path&)> running(const std::string& sql) {
    return [sql](const std::filesystem::path& file) { execute(file, sql); };
}

INSTANTIATE_TEST_SUITE_P(
    Files, StoreRefusesBrokenFile,
    ::testing::Values(
        BrokenFile{"Missing", [](const auto& file) { std::filesystem::remove(file); }},
        BrokenFile{"Empty", [](const auto& file) { writeBytes(file, ""); }},
        BrokenFile{"NotADatabase",
                   [](const auto& file) {
                       writeBytes(file, "[SayStrings]\r\nSay1=hello\r\n" + std::string(5000, 'x'));
                   }},
        BrokenFile{"Truncated",
                   [](const auto& file) {
                       writeBytes(file, bytesOf(file).substr(0, std::filesystem::file_size(file) / 3));
                   }},
        BrokenFile{
            "FolderInItsPlace",
            [](const auto& file) { std::filesystem::remove(file), std::filesystem::create_directory(file); }},
        BrokenFile{"TableMissing", running("DROP TABLE tbl_Text;")},
        BrokenFile{"FieldMissing",
                   running("DROP TABLE tbl_Userdef; CREATE TABLE tbl_Userdef (UDID INTEGER, UserD1 TEXT);")},
        BrokenFile{
            "FieldsOutOfOrder",
            running("DROP TABLE tbl_Rules; CREATE TABLE tbl_Rules (RuleBasicLang TEXT, RuleID INTEGER);")},
        BrokenFile{"NewerSchema", running("PRAGMA user_version = 99;")}),
    [](const ::testing::TestParamInfo<BrokenFile>& file) { return std::string(file.param.name); });

TEST(StoreConnection, TableNamesMatchRegardlessOfCase) {
    TempRulesDb db;
    execute(db.path(),
            "ALTER TABLE tbl_Userdef RENAME TO tbl_Other; ALTER TABLE tbl_Other RENAME TO tbl_UserDef;");
    ASSERT_EQ(peek(db.path(), "SELECT name FROM sqlite_master WHERE name LIKE 'tbl_User%'"),
              std::vector<std::u16string>{u"tbl_UserDef"});
    Store store(db.path());
    EXPECT_NO_THROW(store.fDBConnect(true));
}

TEST(StoreConnection, OperationsThatCountOnAnOpenHandleFailWhenItIsEmpty) {
    TempRulesDb db;
    execute(db.path(), "INSERT INTO tbl_Say (SayText) VALUES ('a');");
    Store store(db.path());
    EXPECT_THROW(store.fGetRndTimer(), StoreError);
    EXPECT_THROW(store.fSetRndTimer(30), StoreError);
    EXPECT_THROW(store.fChangeRecord("tbl_Say", "SayText", u"a", u"b"), StoreError);
    EXPECT_THROW(store.fDelRecord("tbl_Say", "SayText", u"a"), StoreError);
    EXPECT_THROW(store.firstColumn("SELECT SayText FROM tbl_Say"), StoreError);
    EXPECT_THROW(store.addRule(u"r"), StoreError);
    EXPECT_FALSE(store.isOpen());
    EXPECT_EQ(peek(db.path(), "SELECT SayText FROM tbl_Say"), std::vector<std::u16string>{u"a"});
    EXPECT_EQ(peek(db.path(), "SELECT Val FROM tbl_Sys WHERE Para='RndTimer'"),
              std::vector<std::u16string>{u"60"});
}

TEST(StoreConnection, AddRecordAndSettingsWritesReopenAnEmptyHandle) {
    TempRulesDb db;
    Store store(db.path());
    store.fAddRecord("tbl_Say", "SayText", u"hello");
    EXPECT_TRUE(store.isOpen());
    store.fDBConnect(false);
    store.fSetSysPara(u"TabStart", u"2");
    EXPECT_TRUE(store.isOpen());
    const std::int32_t udid = store.addUserDef(u"kick", u"Command");
    store.fDBConnect(false);
    store.changeUserDef(udid, u"ban", u"Command");
    EXPECT_TRUE(store.isOpen());
    store.fDBConnect(false);
    EXPECT_EQ(store.fGetTranslation(1, 1), u"");
    EXPECT_TRUE(store.isOpen());
    EXPECT_EQ(peek(db.path(), "SELECT SayText FROM tbl_Say"), std::vector<std::u16string>{u"hello"});
    EXPECT_EQ(peek(db.path(), "SELECT Val FROM tbl_Sys WHERE Para='TabStart'"),
              std::vector<std::u16string>{u"2"});
    EXPECT_EQ(peek(db.path(), "SELECT UserD1 FROM tbl_Userdef"), std::vector<std::u16string>{u"ban"});
}

TEST(StoreConnection, AddRecordOnAMissingFileFailsWithoutCreatingIt) {
    TempRulesDb db;
    std::filesystem::remove(db.path());
    Store store(db.path());
    EXPECT_THROW(store.fAddRecord("tbl_Say", "SayText", u"x"), StoreOpenError);
    EXPECT_FALSE(std::filesystem::exists(db.path()));
}

TEST(StoreConnection, AReadOnlyFileReadsButRefusesEveryWrite) {
    TempRulesDb db;
    execute(
        db.path(),
        "INSERT INTO tbl_Say (SayText) VALUES ('kept'); INSERT INTO tbl_Rules (RuleBasicLang) VALUES ('r');");
    std::filesystem::permissions(db.path(), std::filesystem::perms::owner_read |
                                                std::filesystem::perms::group_read |
                                                std::filesystem::perms::others_read);
    const std::string before = bytesOf(db.path());

    Store store(db.path());
    ASSERT_NO_THROW(store.fDBConnect(true));
    EXPECT_EQ(store.fGetRndTimer(), 60);
    EXPECT_EQ(store.firstColumn("SELECT SayText FROM tbl_Say").size(), 1u);

    EXPECT_THROW(store.fAddRecord("tbl_Say", "SayText", u"new"), StoreError);
    EXPECT_THROW(store.fChangeRecord("tbl_Say", "SayText", u"kept", u"changed"), StoreError);
    EXPECT_THROW(store.fDelRecord("tbl_Say", "SayText", u"kept"), StoreError);
    EXPECT_THROW(store.fSetRndTimer(30), StoreError);
    EXPECT_THROW(store.fSetSysPara(u"TabStart", u"4"), StoreError);
    EXPECT_THROW(store.deleteRule(1), StoreError);
    EXPECT_EQ(bytesOf(db.path()), before);
}

// Another program holds the file locked the whole time: the write waits no longer than
// the busy timeout, fails, and the stored data stays.
TEST(StoreConnection, AFileHeldLockedByAnotherConnectionFailsTheWriteAfterTheTimeout) {
    TempRulesDb db;
    execute(db.path(), "INSERT INTO tbl_Say (SayText) VALUES ('kept');");
    Store store(db.path());
    store.fDBConnect(true);
    store.setBusyTimeout(std::chrono::milliseconds(20));

    test::SqlPeek other(db.path());
    other.execute("BEGIN EXCLUSIVE");

    EXPECT_THROW(store.fAddRecord("tbl_Say", "SayText", u"new"), StoreError);
    EXPECT_THROW(store.fChangeRecord("tbl_Say", "SayText", u"kept", u"changed"), StoreError);
    EXPECT_THROW(store.fSetRndTimer(30), StoreError);
    EXPECT_THROW(store.addRule(u"rule"), StoreError);

    other.execute("ROLLBACK");

    EXPECT_EQ(peek(db.path(), "SELECT SayText FROM tbl_Say"), std::vector<std::u16string>{u"kept"});
    EXPECT_EQ(peek(db.path(), "SELECT count(*) FROM tbl_Rules"), std::vector<std::u16string>{u"0"});
    EXPECT_EQ(store.fGetRndTimer(), 60);
    store.fAddRecord("tbl_Say", "SayText", u"new");
    EXPECT_EQ(store.firstColumn("SELECT SayText FROM tbl_Say").size(), 2u);
}

// Rules.mdb deleted or replaced under the running store: every operation, reading or
// writing, refuses instead of working on the unlinked file; only an explicit reconnect takes
// the file found at the path then.
TEST(StoreConnection, AFileDeletedOrReplacedWhileOpenFailsEveryOperationUntilReconnected) {
    for (const bool replaced : {false, true}) {
        SCOPED_TRACE(replaced ? "replaced" : "deleted");
        TempRulesDb db;
        execute(db.path(), "INSERT INTO tbl_Say (SayText) VALUES ('kept');");
        Store store(db.path());
        store.fDBConnect(true);
        const std::string bytes = bytesOf(db.path());
        std::filesystem::remove(db.path());
        if (replaced)
            writeBytes(db.path(), bytes);

        const std::vector<std::function<void()>> operations{
            [&] { store.fAddRecord("tbl_Say", "SayText", u"new"); },
            [&] { store.fChangeRecord("tbl_Say", "SayText", u"kept", u"changed"); },
            [&] { store.fDelRecord("tbl_Say", "SayText", u"kept"); },
            [&] { store.fSetSysPara(u"TabStart", u"4"); },
            [&] { store.addRule(u"rule"); },
            [&] { store.addUserDef(u"text", u"Speak to all"); },
            [&] { store.fGetRndTimer(); },
            [&] { store.firstColumn("SELECT SayText FROM tbl_Say"); },
        };
        for (std::size_t i = 0; i < operations.size(); ++i) {
            try {
                operations[i]();
                ADD_FAILURE() << "operation " << i << " succeeded on a file no longer there";
            } catch (const StoreError& error) {
                EXPECT_EQ(std::string(error.what()), "Rules.mdb is no longer where it was opened: " +
                                                         db.path().string() + ". Nothing was changed.");
            }
        }
        EXPECT_TRUE(store.isOpen());

        if (!replaced) {
            EXPECT_THROW(store.fDBConnect(true), StoreOpenError);
            EXPECT_FALSE(std::filesystem::exists(db.path()));
            EXPECT_THROW(store.fGetRndTimer(), StoreError);
            continue;
        }
        EXPECT_EQ(bytesOf(db.path()), bytes);
        store.fDBConnect(true);
        store.fAddRecord("tbl_Say", "SayText", u"new");
        EXPECT_EQ(peek(db.path(), "SELECT SayText FROM tbl_Say ORDER BY rowid"),
                  (std::vector<std::u16string>{u"kept", u"new"}));
    }
}

} // namespace
} // namespace brassbell
