#include "store/jet/JetMigration.h"

#include "store/PathText.h"
#include "store/Schema.h"
#include "store/jet/Utf8.h"

namespace brassbell {

namespace {

constexpr std::u16string_view kLineBreak = u"\r\n";

struct Kind {
    std::string_view table;
    std::u16string_view one;
    std::u16string_view many;
};

// What each table holds, as the user knows it.
constexpr Kind kKinds[] = {
    {"tbl_Say", u"stored text", u"stored texts"},
    {"tbl_RndSpeak", u"random text", u"random texts"},
    {"tbl_Rules", u"basic rule", u"basic rules"},
    {"tbl_Langs", u"language", u"languages"},
    {"tbl_Text", u"translation", u"translations"},
    {"tbl_Userdef", u"user-defined entry", u"user-defined entries"},
    {"tbl_Sys", u"setting", u"settings"},
};

std::u16string number(std::size_t value) {
    return utf8ToUtf16(std::to_string(value));
}

std::u16string counted(std::size_t count, std::string_view table) {
    for (const Kind& kind : kKinds) {
        if (sameName(kind.table, table))
            return number(count) + u" " + std::u16string(count == 1 ? kind.one : kind.many);
    }
    return number(count) + u" in " + utf8ToUtf16(table);
}

std::u16string listed(const std::vector<std::u16string>& items) {
    std::u16string text;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0)
            text += i + 1 == items.size() ? u" and " : u", ";
        text += items[i];
    }
    return text;
}

std::vector<std::u16string> converted(const std::vector<std::string>& names) {
    std::vector<std::u16string> result;
    for (const std::string& name : names)
        result.push_back(utf8ToUtf16(name));
    return result;
}

} // namespace

const MigratedTable* MigrationReport::table(std::string_view name) const {
    for (const MigratedTable& t : tables) {
        if (sameName(t.name, name))
            return &t;
    }
    return nullptr;
}

std::u16string MigrationReport::message() const {
    std::vector<std::u16string> counts;
    std::vector<std::u16string> empty;
    std::vector<std::u16string> skipped;
    for (const MigratedTable& t : tables) {
        counts.push_back(counted(t.records, t.name));
        if (t.createdEmpty)
            empty.push_back(utf8ToUtf16(t.name));
        if (t.skipped > 0)
            skipped.push_back(number(t.skipped) + u" in " + utf8ToUtf16(t.name));
    }

    std::u16string text =
        u"The data of the old database was taken over into the new Rules.mdb: " + listed(counts) + u".";
    if (backup)
        text +=
            std::u16string(kLineBreak) + u"The original was kept as " + utf8ToUtf16(pathText(*backup)) + u".";
    else
        text += std::u16string(kLineBreak) + u"The new database is " + utf8ToUtf16(pathText(target)) + u".";
    if (!empty.empty())
        text += std::u16string(kLineBreak) + u"Not in the old database, so created empty: " + listed(empty) +
                u".";
    if (!tablesLeftOut.empty())
        text += std::u16string(kLineBreak) + u"Tables Brassbell does not know were left out: " +
                listed(converted(tablesLeftOut)) + u".";
    if (!fieldsLeftOut.empty())
        text += std::u16string(kLineBreak) + u"Fields Brassbell does not know were left out: " +
                listed(converted(fieldsLeftOut)) + u".";
    if (!skipped.empty())
        text += std::u16string(kLineBreak) +
                u"Records whose keys or references are not whole numbers, or repeat a key, were skipped: " +
                listed(skipped) + u".";
    return text;
}

std::u16string migrationFailureMessage(const JetMigrationError& error) {
    return u"The data of the old Rules.mdb could not be taken over: " + utf8ToUtf16(error.what()) +
           std::u16string(kLineBreak) + u"The original file was left as it was.";
}

} // namespace brassbell
