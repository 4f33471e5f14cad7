// What StoreModelTest cannot make: making and opening Rules.mdb (a refused file stays as it was;
// every operation on an empty handle or a file spoiled while open; a new file is made whole or not
// at all, never over an existing one), records put in behind the store's back, refused requests,
// a cascade failing half-way and a huge text.
#include "store/RulesDbMaker.h"
#include "store/Snapshot.h"

#include "OpenRulesDb.h"
#include "store/PathText.h"

#include <functional>
#include <optional>

namespace brassbell::testing {
namespace {

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

// Table names of another letter case, as another tool may have left them, open too.
TEST(StoreConnectionTest, OpensTablesNamedInAnotherLetterCase) {
    TempRulesDb db;
    execute(db.path(),
            "ALTER TABLE tbl_Userdef RENAME TO tbl_Other; ALTER TABLE tbl_Other RENAME TO TBL_USERDEF;");
    EXPECT_NO_THROW(Store(db.path()).fDBConnect(true));
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
        const auto state = [&f = db.path()] {
            return is_regular_file(f) ? "file " + bytesOf(f) : exists(f) ? "folder" : "nothing";
        };
        const std::string before = state();
        Store store(db.path());
        try {
            store.fDBConnect(true), ADD_FAILURE() << "opened a broken file";
        } catch (const StoreOpenError& e) {
            EXPECT_STRNE(e.what(), "");
        }
        EXPECT_FALSE(store.isOpen());
        EXPECT_EQ(state(), before) << "opening must neither change nor create the file";
    }
}

// On an empty handle only the operations that open the file themselves work. A locked write waits
// no longer than the busy timeout. A deleted or replaced file is not worked on unlinked: only an
// explicit reconnect takes the file found at the path then.
TEST(StoreConnectionTest, AnEmptyHandleOrAFileSpoiledWhileOpenFailsWhatCannotWork) {
    namespace fs = std::filesystem;
    using enum fs::perm_options;
    std::optional<SqlPeek> other;
    struct Case {
        const char* name;
        bool (*fails)(const Operation&);
        bool staysOpen, gone;
        std::function<void(Store&)> spoil, release = [](Store&) {};
    };
    const auto every = [](const Operation&) { return true; };
    const Case cases[] = {
        {"empty handle", [](const Operation& o) { return !o.opens; }, false, false,
         [](Store& s) { s.fDBConnect(false); }},
        {"read-only", [](const Operation& o) { return o.writes; }, true, false,
         [](Store& s) { fs::permissions(s.path(), fs::perms::owner_write, remove), s.fDBConnect(true); },
         [](Store& s) { fs::permissions(s.path(), fs::perms::owner_write, add); }},
        {"locked", every, true, false,
         [&](Store& s) { other.emplace(s.path()), other->execute("BEGIN EXCLUSIVE"); },
         [&](Store&) { other.reset(); }},
#ifndef _WIN32 // Windows keeps an open file from being deleted or replaced.
        {"deleted", every, true, true, [](Store& s) { fs::remove(s.path()); }},
        {"replaced", every, true, true,
         [](Store& s) {
             const fs::path copy = fs::path(s.path()) += "~";
             fs::copy_file(s.path(), copy), fs::rename(copy, s.path());
         }},
#endif
    };
    TempRulesDb db;
    execute(db.path(), "INSERT INTO tbl_Say (SayText) VALUES ('kept');"
                       "INSERT INTO tbl_Rules (RuleBasicLang) VALUES ('r');"
                       "INSERT INTO tbl_Userdef (UserD1, Kind) VALUES ('kick', 'Command');");
    const std::string before = bytesOf(db.path());
    for (const Case& c : cases)
        for (const Operation& operation : kOperations) {
            SCOPED_TRACE(std::string(c.name) + ", " + operation.name);
            writeBytes(db.path(), before);
            Store store(db.path());
            store.fDBConnect(true);
            store.setBusyTimeout(std::chrono::milliseconds(20));
            c.spoil(store);
            std::optional<std::string> error;
            try {
                operation.run(store);
            } catch (const StoreError& e) {
                error = e.what();
            }
            EXPECT_EQ(error.has_value(), c.fails(operation));
            EXPECT_TRUE(!c.gone || error == "Rules.mdb is no longer where it was opened: " +
                                                pathText(db.path()) + ". Nothing was changed.")
                << error.value_or("");
            c.release(store);
            EXPECT_EQ(store.isOpen(), c.staysOpen || !error);
            if (!fs::exists(db.path()))
                continue;
            EXPECT_TRUE(!error || bytesOf(db.path()) == before) << "a failed operation changed the file";
            store.fDBConnect(true);
            store.fAddRecord("tbl_Say", "SayText", u"after");
            EXPECT_EQ(peek(db.path(), "SELECT SayText FROM tbl_Say ORDER BY rowid DESC LIMIT 1"),
                      Rows{u"after"});
        }
}

// Every other test works on files made this way; here, only what they cannot see.
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

class StoreTest : public OpenRulesDb {
protected:
    Rows sys() { return rows("SELECT Para, Val, typeof(Val) FROM tbl_Sys ORDER BY rowid"); }
};

// Names outside the schema, keys the database numbers, statements that do more than read one result,
// and a cascade failing half-way: a trigger stands in for a disk error, and the cascade is one
// transaction.
TEST_F(StoreTest, RefusedRequestsChangeNothing) {
    store.fAddRecord("tbl_Say", "SayText", u"kept");
    store.addTranslation(store.addLanguage(u"Deutsch"), store.addRule(u"Be fair"), u"Sei fair");
    run("CREATE TRIGGER refuse_rules BEFORE DELETE ON tbl_Rules BEGIN SELECT RAISE(ABORT, 'no'); END;"
        "CREATE TRIGGER refuse_langs BEFORE DELETE ON tbl_Langs BEGIN SELECT RAISE(ABORT, 'no'); END;");
    const std::string before = bytesOf(db.path());
    const std::pair<const char*, std::function<void()>> cases[] = {
        {"unknown table", [&] { store.fAddRecord("tbl_Nope", "SayText", u"x"); }},
        {"unknown field", [&] { store.fAddRecord("tbl_Say", "Nope", u"x"); }},
        {"statement for a table", [&] { store.fAddRecord("tbl_Say; DROP TABLE tbl_Say", "SayText", u"x"); }},
        {"statement for a field",
         [&] { store.fChangeRecord("tbl_Say", "SayText = SayText OR 1=1 --", u"kept", u"x"); }},
        {"numbered key added", [&] { store.fAddRecord("tbl_Rules", "RuleID", u"7"); }},
        {"numbered key changed", [&] { store.fChangeRecord("tbl_Userdef", "UDID", u"1", u"9"); }},
        {"list of a deletion", [&] { store.firstColumn("DELETE FROM tbl_Say"); }},
        {"list then a deletion",
         [&] { store.firstColumn("SELECT SayText FROM tbl_Say; DELETE FROM tbl_Say"); }},
        {"list of an unknown field", [&] { store.firstColumn("SELECT Nope FROM tbl_Say"); }},
        {"list of nothing", [&] { store.firstColumn(""); }},
        {"snapshot of a deletion", [&] { readSnapshot(db.path(), "DELETE FROM tbl_Say", true); }},
        {"snapshot of a missing file", [&] { readSnapshot(db.folder() / "Other.mdb", "tbl_Say", false); }},
        {"cascade of a rule", [&] { store.deleteRule(1); }},
        {"cascade of a language", [&] { store.deleteLanguage(1); }},
        {"cascade of a rule by text", [&] { store.fDelRecord("tbl_Rules", "RuleBasicLang", u"Be fair"); }},
        {"cascade of a language by text", [&] { store.fDelRecord("tbl_Langs", "Language", u"Deutsch"); }},
    };
    for (const auto& [name, request] : cases)
        EXPECT_THROW(request(), StoreError) << name;
    EXPECT_EQ(bytesOf(db.path()), before);
    EXPECT_FALSE(std::filesystem::exists(db.folder() / "Other.mdb"));
}

// Files made by other tools hold Null: a list keeps it apart, every other read shows the empty text.
TEST_F(StoreTest, NullReadsAsTheEmptyText) {
    run("INSERT INTO tbl_Say (SayText) VALUES ('b'), (NULL), ('');"
        "INSERT INTO tbl_Rules (RuleBasicLang) VALUES (NULL); INSERT INTO tbl_Langs (Language) VALUES (NULL);"
        "INSERT INTO tbl_Text (LangID, RuleID, Translation) VALUES (1, 1, NULL), (1, 1, 'second');"
        "INSERT INTO tbl_Sys (Para, Val) VALUES ('Empty', NULL);");
    EXPECT_EQ(store.firstColumn("SELECT SayText FROM tbl_Say"),
              (std::vector<std::optional<std::u16string>>{u"b", std::nullopt, u""}));
    EXPECT_EQ(store.fGetTranslation(1, 1), u"");
    EXPECT_EQ(store.findTranslation(1, 1), 1);
    EXPECT_EQ(store.languageName(1), u"");
    EXPECT_EQ(store.languageNames(), Rows{u""});
    EXPECT_EQ(store.fGetSysPara(u"Empty"), u"");
}

// An interval that is not a whole number (blanks and a sign allowed) reads as 60 seconds. A
// missing setting reads as its default without writing, a doubled one as its first record.
TEST_F(StoreTest, StoredSettingsReadAsTheFirstRecordOrTheDefault) {
    const std::pair<std::string, std::int32_t> cases[] = {
        {"'30'", 30},  {"' 45 '", 45}, {"'+20'", 20},   {"'-5'", -5},  {"45", 45},    {"NULL", 60},
        {"''", 60},    {"'abc'", 60},  {"'12abc'", 60}, {"'1.5'", 60}, {"'+-5'", 60}, {"'99999999999'", 60},
        {"no row", 60}};
    for (const auto& [val, read] : cases) {
        const bool missing = val == "no row";
        const std::string rows = "('TabStart', '5'), ('RndTimer', " + val + "), ('TabStart', '6')";
        run("DELETE FROM tbl_Sys;" + (missing ? "" : "INSERT INTO tbl_Sys (Para, Val) VALUES " + rows + ";"));
        const Rows before = sys();
        EXPECT_EQ(store.fGetRndTimer(), read) << val;
        EXPECT_EQ(store.fGetSysPara(u"TabStart"), missing ? u"0" : u"5") << val;
        EXPECT_EQ(sys(), before) << val << ": reading must not write";
    }
    EXPECT_EQ(store.fGetSysPara(u"RndTimer"), u"60");
    EXPECT_EQ(store.fGetSysPara(u"Unknown"), u"");
    store.fSetSysPara(u"TabStart", u"3");
    store.fSetRndTimer(20);
    run("INSERT INTO tbl_Sys (Para, Val) VALUES ('TabStart', '5');");
    store.fSetSysPara(u"TabStart", u"4");
    EXPECT_EQ(sys(), (Rows{u"TabStart|4|text", u"RndTimer|20|text", u"TabStart|5|text"}));
}

TEST_F(StoreTest, ATextOfHundredsOfThousandsOfCharactersIsKeptWhole) {
    const std::u16string text = std::u16string(300000, u'\u00e4') + u"'\U0001F600";
    store.fAddRecord("tbl_Say", "SayText", text);
    EXPECT_EQ(store.firstColumn("SELECT SayText FROM tbl_Say"),
              (std::vector<std::optional<std::u16string>>{text}));
}

} // namespace
} // namespace brassbell::testing
