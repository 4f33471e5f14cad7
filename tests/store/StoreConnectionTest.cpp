// Making and opening Rules.mdb: what opens, what is refused, and that a refused file stays as it
// was; every operation on an empty handle, a read-only, locked, deleted or replaced file; a new
// file is made complete or not at all, and never over an existing one.
#include "store/RulesDbMaker.h"
#include "store/Store.h"

#include "SqlPeek.h"
#include "TempRulesDb.h"

#include <gtest/gtest.h>

#include <functional>

namespace brassbell::testing {
namespace {

using Rows = std::vector<std::u16string>;
using Spoil = std::function<void(const std::filesystem::path&)>;

// Every kind of operation, on a Rules.mdb that holds the text 'kept', rule 1 and entry 1.
// `opens`: on an empty handle it opens the file itself.
struct Operation {
    const char* name;
    bool writes, opens;
    std::function<void(Store&)> run;
};
const Operation kOperations[] = {
    {"add text", true, true, [](Store& s) { s.fAddRecord("tbl_Say", "SayText", u"new"); }},
    {"change text", true, false, [](Store& s) { s.fChangeRecord("tbl_Say", "SayText", u"kept", u"x"); }},
    {"delete text", true, false, [](Store& s) { s.fDelRecord("tbl_Say", "SayText", u"kept"); }},
    {"set interval", true, false, [](Store& s) { s.fSetRndTimer(30); }},
    {"set setting", true, true, [](Store& s) { s.fSetSysPara(u"TabStart", u"4"); }},
    {"add rule", true, false, [](Store& s) { s.addRule(u"rule"); }},
    {"delete rule", true, false, [](Store& s) { s.deleteRule(1); }},
    {"add entry", true, false, [](Store& s) { s.addUserDef(u"text", u"Speak to all"); }},
    {"change entry", true, true, [](Store& s) { s.changeUserDef(1, u"ban", u"Command"); }},
    {"read interval", false, false, [](Store& s) { s.fGetRndTimer(); }},
    {"read translation", false, true, [](Store& s) { s.fGetTranslation(1, 1); }},
    {"read list", false, false, [](Store& s) { s.firstColumn("SELECT SayText FROM tbl_Say"); }},
};

bool fails(const Operation& operation, Store& store) {
    try {
        operation.run(store);
        return false;
    } catch (const StoreError&) {
        return true;
    }
}

// A fresh Rules.mdb holding what kOperations works on.
struct KeptRulesDb : TempRulesDb {
    KeptRulesDb() {
        execute(path(), "INSERT INTO tbl_Say (SayText) VALUES ('kept');"
                        "INSERT INTO tbl_Rules (RuleBasicLang) VALUES ('r');"
                        "INSERT INTO tbl_Userdef (UserD1, Kind) VALUES ('kick', 'Command');");
    }
};

TEST(StoreConnectionTest, OpensTheDeliveredFileAndReleasesIt) {
    TempRulesDb db;
    Store store(db.path());
    EXPECT_FALSE(store.isOpen());
    EXPECT_TRUE(store.fDBConnect(true));
    EXPECT_TRUE(store.isOpen());
    EXPECT_EQ(store.path(), db.path());
    EXPECT_TRUE(store.fDBConnect(false));
    EXPECT_FALSE(store.isOpen());
    // Table names of another letter case, as another tool may have left them, open too.
    execute(db.path(),
            "ALTER TABLE tbl_Userdef RENAME TO tbl_Other; ALTER TABLE tbl_Other RENAME TO TBL_USERDEF;");
    EXPECT_NO_THROW(store.fDBConnect(true));
}

Spoil running(const std::string& sql) {
    return [sql](const std::filesystem::path& file) { execute(file, sql); };
}

TEST(StoreConnectionTest, ABrokenFileIsRefusedWithOpenErrorAndLeftAlone) {
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
        {"newer schema", running("PRAGMA user_version = 2;")}};
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

// On an empty handle most operations fail and change nothing; those that open the file first
// work, and on a missing file fail without creating it.
TEST(StoreConnectionTest, OnAnEmptyHandleOnlyTheOperationsThatOpenTheFileWork) {
    for (const Operation& operation : kOperations) {
        SCOPED_TRACE(operation.name);
        KeptRulesDb db;
        const std::string before = bytesOf(db.path());
        Store store(db.path());
        if (!operation.opens) {
            EXPECT_THROW(operation.run(store), StoreError);
            EXPECT_FALSE(store.isOpen());
            EXPECT_EQ(bytesOf(db.path()), before);
            continue;
        }
        EXPECT_NO_THROW(operation.run(store));
        EXPECT_TRUE(store.isOpen());
        std::filesystem::remove(db.path());
        Store missing(db.path());
        EXPECT_THROW(operation.run(missing), StoreOpenError);
        EXPECT_FALSE(std::filesystem::exists(db.path()));
    }
}

TEST(StoreConnectionTest, AReadOnlyFileReadsButRefusesEveryWrite) {
    KeptRulesDb db;
    std::filesystem::permissions(db.path(), std::filesystem::perms::owner_read |
                                                std::filesystem::perms::group_read |
                                                std::filesystem::perms::others_read);
    const std::string before = bytesOf(db.path());
    Store store(db.path());
    ASSERT_NO_THROW(store.fDBConnect(true));
    for (const Operation& operation : kOperations)
        EXPECT_EQ(fails(operation, store), operation.writes) << operation.name;
    EXPECT_EQ(bytesOf(db.path()), before);
}

// Another program holds the file locked the whole time: the write waits no longer than
// the busy timeout, fails, and the stored data stays.
TEST(StoreConnectionTest, AFileHeldLockedByAnotherConnectionFailsTheWriteAfterTheTimeout) {
    KeptRulesDb db;
    Store store(db.path());
    store.fDBConnect(true);
    store.setBusyTimeout(std::chrono::milliseconds(20));
    SqlPeek other(db.path());
    other.execute("BEGIN EXCLUSIVE");
    const std::string before = bytesOf(db.path());
    for (const Operation& operation : kOperations)
        EXPECT_TRUE(!operation.writes || fails(operation, store)) << operation.name;
    other.execute("ROLLBACK");
    EXPECT_EQ(bytesOf(db.path()), before);
    store.fAddRecord("tbl_Say", "SayText", u"new");
    EXPECT_EQ(peek(db.path(), "SELECT SayText FROM tbl_Say ORDER BY rowid"), (Rows{u"kept", u"new"}));
}

// Rules.mdb deleted or replaced under the running store: every operation, reading or
// writing, refuses instead of working on the unlinked file; only an explicit reconnect takes
// the file found at the path then.
TEST(StoreConnectionTest, AFileDeletedOrReplacedWhileOpenFailsEveryOperationUntilReconnected) {
    for (const bool replaced : {false, true}) {
        SCOPED_TRACE(replaced ? "replaced" : "deleted");
        KeptRulesDb db;
        Store store(db.path());
        store.fDBConnect(true);
        const std::string bytes = bytesOf(db.path());
        std::filesystem::remove(db.path());
        if (replaced)
            writeBytes(db.path(), bytes);
        for (const Operation& operation : kOperations) {
            try {
                operation.run(store);
                ADD_FAILURE() << operation.name << " succeeded on a file no longer there";
            } catch (const StoreError& error) {
                EXPECT_EQ(std::string(error.what()), "Rules.mdb is no longer where it was opened: " +
                                                         db.path().string() + ". Nothing was changed.");
            }
        }
        EXPECT_TRUE(store.isOpen());
        if (!replaced) {
            EXPECT_THROW(store.fDBConnect(true), StoreOpenError);
            EXPECT_FALSE(std::filesystem::exists(db.path()));
            continue;
        }
        EXPECT_EQ(bytesOf(db.path()), bytes);
        store.fDBConnect(true);
        store.fAddRecord("tbl_Say", "SayText", u"new");
        EXPECT_EQ(peek(db.path(), "SELECT SayText FROM tbl_Say ORDER BY rowid"), (Rows{u"kept", u"new"}));
    }
}

// Every other test works on files made this way; here, the schema version, and that a file is
// never made over an existing one nor half-made.
TEST(StoreConnectionTest, ANewFileIsMadeCompleteOrNotAtAll) {
    TempRulesDb db;
    EXPECT_EQ(peek(db.path(), "PRAGMA user_version"), Rows{u"1"});
    EXPECT_FALSE(std::filesystem::exists(db.folder() / "Rules.mdb.partial"));

    writeBytes(db.path(), "the user's own file");
    EXPECT_FALSE(makeRulesDb(db.path()));
    EXPECT_EQ(bytesOf(db.path()), "the user's own file");

    const auto nowhere = db.folder() / "no such folder" / "Rules.mdb";
    EXPECT_THROW(makeRulesDb(nowhere), StoreError);
    EXPECT_FALSE(std::filesystem::exists(nowhere.parent_path()));
}

} // namespace
} // namespace brassbell::testing
