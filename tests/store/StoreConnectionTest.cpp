// Making and opening Rules.mdb: what opens, what is refused, and that a refused file stays as it
// was; a new file is made complete or not at all, and never over an existing one.
#include "store/RulesDbMaker.h"
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
using Rows = std::vector<std::u16string>;
using Spoil = std::function<void(const std::filesystem::path&)>;

// Every kind of write, on a Rules.mdb that holds the text 'kept' and rule 1.
const std::vector<std::function<void(Store&)>> kWrites{
    [](Store& s) { s.fAddRecord("tbl_Say", "SayText", u"new"); },
    [](Store& s) { s.fChangeRecord("tbl_Say", "SayText", u"kept", u"changed"); },
    [](Store& s) { s.fDelRecord("tbl_Say", "SayText", u"kept"); },
    [](Store& s) { s.fSetRndTimer(30); },
    [](Store& s) { s.fSetSysPara(u"TabStart", u"4"); },
    [](Store& s) { s.addRule(u"rule"); },
    [](Store& s) { s.deleteRule(1); },
    [](Store& s) { s.addUserDef(u"text", u"Speak to all"); },
};

void keepTextAndRule(const std::filesystem::path& file) {
    execute(
        file,
        "INSERT INTO tbl_Say (SayText) VALUES ('kept'); INSERT INTO tbl_Rules (RuleBasicLang) VALUES ('r');");
}

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

Spoil running(const std::string& sql) {
    return [sql](const std::filesystem::path& file) { execute(file, sql); };
}

TEST(StoreConnection, ABrokenFileIsRefusedWithOpenErrorAndLeftAlone) {
    const std::pair<const char*, Spoil> cases[] = {
        {"missing", [](const auto& file) { std::filesystem::remove(file); }},
        {"empty", [](const auto& file) { writeBytes(file, ""); }},
        {"not a database",
         [](const auto& file) { writeBytes(file, "[SayStrings]\r\n" + std::string(5000, 'x')); }},
        {"truncated",
         [](const auto& f) { writeBytes(f, bytesOf(f).substr(0, std::filesystem::file_size(f) / 3)); }},
        {"a folder in its place",
         [](const auto& file) { std::filesystem::remove(file), std::filesystem::create_directory(file); }},
        {"table missing", running("DROP TABLE tbl_Text;")},
        {"field missing",
         running("DROP TABLE tbl_Userdef; CREATE TABLE tbl_Userdef (UDID INTEGER, UserD1 TEXT);")},
        {"fields out of order",
         running("DROP TABLE tbl_Rules; CREATE TABLE tbl_Rules (RuleBasicLang TEXT, RuleID INTEGER);")},
        {"newer schema", running("PRAGMA user_version = 99;")}};
    for (const auto& [name, spoil] : cases) {
        SCOPED_TRACE(name);
        TempRulesDb db;
        spoil(db.path());
        const bool existed = std::filesystem::exists(db.path());
        const auto contents = [&] {
            return std::filesystem::is_regular_file(db.path()) ? bytesOf(db.path()) : "";
        };
        const std::string before = contents();
        Store store(db.path());
        try {
            store.fDBConnect(true);
            ADD_FAILURE() << "opened a broken file";
        } catch (const StoreOpenError& e) {
            EXPECT_STRNE(e.what(), "");
        }
        EXPECT_FALSE(store.isOpen());
        EXPECT_EQ(std::filesystem::exists(db.path()), existed) << "opening must never create the file";
        EXPECT_EQ(contents(), before);
    }
}

TEST(StoreConnection, TableNamesMatchRegardlessOfCase) {
    TempRulesDb db;
    execute(db.path(),
            "ALTER TABLE tbl_Userdef RENAME TO tbl_Other; ALTER TABLE tbl_Other RENAME TO tbl_UserDef;");
    ASSERT_EQ(peek(db.path(), "SELECT name FROM sqlite_master WHERE name LIKE 'tbl_User%'"),
              Rows{u"tbl_UserDef"});
    EXPECT_NO_THROW(Store(db.path()).fDBConnect(true));
}

// Reads and most writes need an open handle; adding a record and the settings writes open one.
TEST(StoreConnection, OnAnEmptyHandleOperationsFailButAddRecordAndSettingsWritesReopen) {
    TempRulesDb db;
    execute(db.path(),
            "INSERT INTO tbl_Say (SayText) VALUES ('a'); INSERT INTO tbl_Userdef (UserD1) VALUES ('kick');");
    Store store(db.path());
    EXPECT_THROW(store.fGetRndTimer(), StoreError);
    EXPECT_THROW(store.fSetRndTimer(30), StoreError);
    EXPECT_THROW(store.fChangeRecord("tbl_Say", "SayText", u"a", u"b"), StoreError);
    EXPECT_THROW(store.fDelRecord("tbl_Say", "SayText", u"a"), StoreError);
    EXPECT_THROW(store.firstColumn("SELECT SayText FROM tbl_Say"), StoreError);
    EXPECT_THROW(store.addRule(u"r"), StoreError);
    EXPECT_FALSE(store.isOpen());
    EXPECT_EQ(peek(db.path(), "SELECT SayText FROM tbl_Say"), Rows{u"a"});
    EXPECT_EQ(peek(db.path(), "SELECT Val FROM tbl_Sys WHERE Para='RndTimer'"), Rows{u"60"});

    const std::vector<std::function<void()>> reopening{
        [&] { store.fAddRecord("tbl_Say", "SayText", u"hello"); },
        [&] { store.fSetSysPara(u"TabStart", u"2"); },
        [&] { store.changeUserDef(1, u"ban", u"Command"); },
        [&] { EXPECT_EQ(store.fGetTranslation(1, 1), u""); },
    };
    for (const auto& operation : reopening) {
        store.fDBConnect(false);
        operation();
        EXPECT_TRUE(store.isOpen());
    }
    EXPECT_EQ(peek(db.path(), "SELECT SayText FROM tbl_Say"), (Rows{u"a", u"hello"}));
    EXPECT_EQ(peek(db.path(), "SELECT Val FROM tbl_Sys WHERE Para='TabStart'"), Rows{u"2"});
    EXPECT_EQ(peek(db.path(), "SELECT UserD1 FROM tbl_Userdef"), Rows{u"ban"});
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
    keepTextAndRule(db.path());
    std::filesystem::permissions(db.path(), std::filesystem::perms::owner_read |
                                                std::filesystem::perms::group_read |
                                                std::filesystem::perms::others_read);
    const std::string before = bytesOf(db.path());
    Store store(db.path());
    ASSERT_NO_THROW(store.fDBConnect(true));
    EXPECT_EQ(store.fGetRndTimer(), 60);
    EXPECT_EQ(store.firstColumn("SELECT SayText FROM tbl_Say").size(), 1u);
    for (std::size_t i = 0; i < kWrites.size(); ++i)
        EXPECT_THROW(kWrites[i](store), StoreError) << "write " << i;
    EXPECT_EQ(bytesOf(db.path()), before);
}

// Another program holds the file locked the whole time: the write waits no longer than
// the busy timeout, fails, and the stored data stays.
TEST(StoreConnection, AFileHeldLockedByAnotherConnectionFailsTheWriteAfterTheTimeout) {
    TempRulesDb db;
    keepTextAndRule(db.path());
    Store store(db.path());
    store.fDBConnect(true);
    store.setBusyTimeout(std::chrono::milliseconds(20));
    test::SqlPeek other(db.path());
    other.execute("BEGIN EXCLUSIVE");
    for (std::size_t i = 0; i < kWrites.size(); ++i)
        EXPECT_THROW(kWrites[i](store), StoreError) << "write " << i;
    other.execute("ROLLBACK");

    EXPECT_EQ(peek(db.path(), "SELECT SayText FROM tbl_Say"), Rows{u"kept"});
    EXPECT_EQ(peek(db.path(), "SELECT count(*) FROM tbl_Rules"), Rows{u"1"});
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
        keepTextAndRule(db.path());
        Store store(db.path());
        store.fDBConnect(true);
        const std::string bytes = bytesOf(db.path());
        std::filesystem::remove(db.path());
        if (replaced)
            writeBytes(db.path(), bytes);

        auto operations = kWrites;
        operations.push_back([](Store& s) { s.fGetRndTimer(); });
        operations.push_back([](Store& s) { s.firstColumn("SELECT SayText FROM tbl_Say"); });
        for (std::size_t i = 0; i < operations.size(); ++i) {
            try {
                operations[i](store);
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
        EXPECT_EQ(peek(db.path(), "SELECT SayText FROM tbl_Say ORDER BY rowid"), (Rows{u"kept", u"new"}));
    }
}

TEST(RulesDbMaker, MakesTheSevenTablesVersionAndSettings) {
    TempRulesDb db;
    const auto file = db.folder() / "New.mdb";
    ASSERT_TRUE(makeRulesDb(file));
    EXPECT_EQ(peek(file, "PRAGMA user_version"), Rows{u"1"});
    EXPECT_EQ(
        peek(file, "SELECT name FROM sqlite_master WHERE type = 'table' AND name LIKE 'tbl%' ORDER BY name"),
        (Rows{u"tbl_Langs", u"tbl_RndSpeak", u"tbl_Rules", u"tbl_Say", u"tbl_Sys", u"tbl_Text",
              u"tbl_Userdef"}));
    EXPECT_EQ(peek(file, "SELECT Para, Val FROM tbl_Sys ORDER BY rowid"),
              (Rows{u"RndTimer|60", u"TabStart|0"}));
    EXPECT_FALSE(std::filesystem::exists(db.folder() / "New.mdb.partial"));
    Store store(file);
    EXPECT_NO_THROW(store.fDBConnect(true));
}

TEST(RulesDbMaker, NeverTouchesAnExistingFile) {
    TempRulesDb db;
    writeBytes(db.path(), "the user's own file");
    EXPECT_FALSE(makeRulesDb(db.path()));
    EXPECT_EQ(bytesOf(db.path()), "the user's own file");
}

TEST(RulesDbMaker, AFileThatCannotBeMadeLeavesNothingBehind) {
    TempRulesDb db;
    const auto file = db.folder() / "no such folder" / "Rules.mdb";
    EXPECT_THROW(makeRulesDb(file), StoreError);
    EXPECT_FALSE(std::filesystem::exists(file.parent_path()));
}

} // namespace
} // namespace brassbell
