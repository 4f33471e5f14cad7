// The migration of the shared Jet 4 sample, compared with its manifest value by value, and of
// damaged copies, which must leave the original exactly as it was; recognising a Jet Rules.mdb
// at start-up, and the command-line conversion for admins.
#include "SqlPeek.h"
#include "TempRulesDb.h"

#include "store/PathText.h"
#include "store/Store.h"
#include "store/jet/JetDetect.h"
#include "store/jet/JetMigration.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <sstream>

namespace brassbell::testing {
namespace {

const std::filesystem::path kJetSample = BRASSBELL_JET_SAMPLE;
const std::string kJetHeader = std::string("\x00\x01\x00\x00", 4) + "Standard Jet DB";

// Replaces the name `from` by `to` (same length) wherever it stands in the 4 KiB page that also
// holds `landmark`, as another tool or an older version might have named it. Jet keeps its names
// in UTF-16, here in the byte order of the machine the sample was made on and the tests run on.
std::string renamedInPage(std::string bytes, std::u16string_view landmark, std::u16string_view from,
                          std::u16string_view to) {
    const std::string_view in(reinterpret_cast<const char*>(from.data()), from.size() * 2);
    const std::size_t page =
        bytes.find(std::string_view(reinterpret_cast<const char*>(landmark.data()), landmark.size() * 2)) /
        4096 * 4096;
    for (std::size_t at = bytes.find(in, page); at < page + 4096; at = bytes.find(in, at + 1))
        bytes.replace(at, in.size(), reinterpret_cast<const char*>(to.data()), in.size());
    return bytes;
}

// Puts a copy of the sample (or of bytes made from it) where a user's Rules.mdb would be.
class JetMigrationTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(std::filesystem::exists(kJetSample)) << "the Jet sample is missing: " << kJetSample;
        original_ = bytesOf(kJetSample);
    }
    void place(const std::string& bytes) { writeBytes(rulesMdb(), placed_ = bytes); }
    void expectUntouched() {
        EXPECT_EQ(bytesOf(rulesMdb()), placed_);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder()), {}), 1);
    }
    std::filesystem::path rulesMdb() const { return temp_.path(); }
    std::filesystem::path folder() const { return temp_.folder(); }

    TempRulesDb temp_;
    std::string original_, placed_;
};

// Every value with its type, as SQLite writes it in JSON: Null, a number or a text.
TEST_F(JetMigrationTest, EveryTableColumnAndRowOfTheSampleArrivesByteForByte) {
    place(original_);
    const MigrationReport report = migrateInPlace(rulesMdb());
    QFile manifest(QString::fromStdString(pathText(kJetSample) + ".json"));
    ASSERT_TRUE(manifest.open(QIODevice::ReadOnly)) << "the Jet sample's manifest is missing";
    const QJsonArray tables = QJsonDocument::fromJson(manifest.readAll()).object().value("tables").toArray();
    ASSERT_EQ(tables.size(), 7);
    const auto compact = [](const QJsonArray& array) {
        return QJsonDocument(array).toJson(QJsonDocument::Compact).toStdString();
    };
    const auto stored = [&](const std::string& sql) {
        return compact(
            QJsonDocument::fromJson(QString::fromStdU16String(peek(rulesMdb(), sql).at(0)).toUtf8()).array());
    };
    for (const QJsonValue& table : tables) {
        const std::string name = table["name"].toString().toStdString();
        SCOPED_TRACE(name);
        // Field order is binding for the tables addressed by position.
        QStringList columns;
        for (const QJsonValue& column : table["columns"].toArray())
            columns.append(column["name"].toString());
        EXPECT_EQ(stored("SELECT json_group_array(name) FROM pragma_table_info('" + name + "')"),
                  compact(QJsonArray::fromStringList(columns)));
        const QJsonArray rows = table["rows"].toArray();
        EXPECT_EQ(stored("SELECT json_group_array(json_array(" + columns.join(", ").toStdString() +
                         ")) FROM (SELECT * FROM " + name + " ORDER BY rowid)"),
                  compact(rows));
        ASSERT_NE(report.table(name), nullptr);
        EXPECT_EQ(report.table(name)->records, static_cast<std::size_t>(rows.size()));
        EXPECT_EQ(report.table(name)->skipped, 0u);
    }
    EXPECT_TRUE(report.tablesLeftOut.empty());
    EXPECT_TRUE(report.fieldsLeftOut.empty());
}

// An earlier backup is never overwritten: the original goes beside it under a new name. The
// store works on the result, and new keys follow the largest old one.
TEST_F(JetMigrationTest, TheOriginalIsKeptBesideAndTheResultTakesNewRecords) {
    writeBytes(folder() / "Rules.mdb.jet-backup", "an earlier backup");
    place(original_);
    const MigrationReport report = migrateInPlace(rulesMdb());
    const std::filesystem::path backup = folder() / "Rules.mdb.jet-backup-2";
    EXPECT_EQ(report.backup, backup);
    EXPECT_EQ(bytesOf(backup), original_);
    EXPECT_EQ(bytesOf(folder() / "Rules.mdb.jet-backup"), "an earlier backup");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder()), {}), 3);
    const std::u16string message = report.message();
    EXPECT_NE(message.find(u"taken over"), std::u16string::npos);
    EXPECT_NE(message.find(u"5 stored texts, 3 random texts, 3 basic rules, 2 languages, 4 translations, "
                           u"3 user-defined entries and 2 settings"),
              std::u16string::npos);
    EXPECT_NE(message.find(u"\r\nThe original was kept as " + backup.u16string()), std::u16string::npos);

    Store store(rulesMdb());
    store.fDBConnect(true);
    EXPECT_EQ(store.fGetRndTimer(), 45);
    // Rule 3 is a gap of the old file; a new rule still comes after the largest key.
    EXPECT_EQ(store.addRule(u"A new rule"), 5);
    EXPECT_EQ(store.addLanguage(u"Español"), 3);
    EXPECT_EQ(store.addTranslation(3, 5, u"Una regla nueva"), 5);
    EXPECT_EQ(store.addUserDef(u"say hi", u"Speak to all"), 4);
}

// Whatever the damage, Rules.mdb keeps every byte, and neither a partial new file nor a backup
// is left in the folder.
TEST_F(JetMigrationTest, AFailedMigrationLeavesTheOriginalAsItWas) {
    const std::pair<const char*, std::string> cases[] = {
        {"truncated in the middle of a page", original_.substr(0, original_.size() / 2 + 1000)},
        // Whole pages, so only the lost records show that something is missing.
        {"truncated at a page boundary", original_.substr(0, 63 * 4096)},
        {"only the header", original_.substr(0, 4096)},
    };
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        place(bytes);
        try {
            migrateInPlace(rulesMdb());
            ADD_FAILURE() << "reported as migrated";
        } catch (const JetMigrationError& error) {
            EXPECT_NE(migrationFailureMessage(error).find(u"left as it was"), std::u16string::npos);
        }
        expectUntouched();
    }
    place(original_);
    EXPECT_THROW(migrateJetDatabase(rulesMdb(), folder() / "missing" / "New.mdb"), JetMigrationError);
    expectUntouched();
}

// Copies with names changed in place, as another tool or an older version might have left them:
// names match in any letter case, a table it does not know is left out and reported, a missing
// one created empty, and a record whose reference is lost is skipped and counted.
TEST_F(JetMigrationTest, RenamedTablesAndFieldsAreReported) {
    place(renamedInPage(renamedInPage(original_, u"tbl_Userdef", u"tbl_Userdef", u"TBL_USERDEF"),
                        u"tbl_RndSpeak", u"tbl_RndSpeak", u"tbl_RndSpeek"));
    MigrationReport report = migrateJetDatabase(rulesMdb(), folder() / "New.mdb");
    EXPECT_NE(report.message().find(u"created empty: tbl_RndSpeak."), std::u16string::npos);
    EXPECT_NE(report.message().find(u"Tables Brassbell does not know were left out: tbl_RndSpeek."),
              std::u16string::npos);
    EXPECT_EQ(peek(folder() / "New.mdb",
                   "SELECT count(*) FROM tbl_RndSpeak UNION ALL SELECT count(*) FROM tbl_Userdef"),
              (std::vector<std::u16string>{u"0", u"3"}));
    EXPECT_EQ(bytesOf(rulesMdb()), placed_);

    // tbl_Text's LangID becomes a field Brassbell does not know, so no translation has a language.
    std::filesystem::remove(folder() / "New.mdb");
    place(renamedInPage(original_, u"Translation", u"LangID", u"LangIX"));
    report = migrateJetDatabase(rulesMdb(), folder() / "New.mdb");
    EXPECT_NE(report.message().find(u"Fields Brassbell does not know were left out: tbl_Text.LangIX."),
              std::u16string::npos);
    EXPECT_NE(report.message().find(u"were skipped: 4 in tbl_Text."), std::u16string::npos);
    EXPECT_EQ(peek(folder() / "New.mdb", "SELECT count(*) FROM tbl_Text"), std::vector<std::u16string>{u"0"});
}

class JetCommandTest : public JetMigrationTest {
protected:
    int run(const std::vector<std::string>& args) { return runConvertJet(args, out_, err_); }

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
}

TEST_F(JetCommandTest, ConvertsAndLeavesTheOldFileAsItWas) {
    const auto old = folder() / "Old.mdb";
    const auto converted = folder() / "New.mdb";
    writeBytes(old, original_);
    EXPECT_EQ(run({pathText(old), pathText(converted)}), 0) << err_.str();
    EXPECT_EQ(bytesOf(old), original_);
    EXPECT_NE(out_.str().find("The new database is " + pathText(converted)), std::string::npos) << out_.str();
    EXPECT_EQ(out_.str().find('\r'), std::string::npos) << "a console wants plain line ends";
    EXPECT_TRUE(err_.str().empty());
}

TEST_F(JetCommandTest, FailuresExitNonZeroWithAClearMessageAndNoFile) {
    const auto old = folder() / "Old.mdb";
    writeBytes(old, original_);
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
