// Random user operations on the store and on a reference model in memory; after every step the
// whole database must equal the model. A fixed seed makes a failing step replayable;
// BRASSBELL_MODEL_STEPS and BRASSBELL_MODEL_SEED choose a longer run or another sequence.
#include "SqlPeek.h"
#include "TempRulesDb.h"
#include "store/Snapshot.h"
#include "store/Store.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace brassbell::testing {
namespace {

using Rows = std::vector<std::u16string>;

// Case twins, blanks, quotes, LIKE wildcards, statement fragments, characters outside Latin-1
// and the BMP, the empty text, and one longer than any field of the old database format held.
// clang-format off
const std::array<std::u16string, 20> kTexts = {
    u"", u"a", u"A", u"hello", u"Hello", u"hello ", u"gg", u"Grüße", u"日本語", u"\U0001F600 ok", u"it's",
    u"say \"hi\"", u"%_", u"a%", u"NULL", u"line1\r\nline2", u"'; DROP TABLE tbl_Say; --", u"x\tx",
    u"  padded  ", std::u16string(300, u'\u00e9') + u"'"};
// clang-format on

// How the dump shows Null, which only a record added by text leaves in a field.
const std::u16string kNull = u"(null)";

std::u16string number(std::int64_t n) {
    const std::string digits = std::to_string(n);
    return {digits.begin(), digits.end()};
}

std::size_t envNumber(const char* name, std::size_t fallback) {
    const char* value = std::getenv(name);
    return value == nullptr || *value == '\0' ? fallback : std::strtoull(value, nullptr, 10);
}

// One table: its records in rowid order, each with its fields after the key. With an
// AUTOINCREMENT key, a key is never handed out twice.
struct Table {
    struct Record {
        std::int32_t key;
        Rows fields;
    };
    using Which = std::function<bool(const Record&)>;
    std::string name;
    std::string field; // the text field its list adds, changes and deletes by
    bool keyed = true;
    int citedBy = -1; // the field of tbl_Text that holds its keys: its translations go with it
    std::vector<Record> records{};
    std::int32_t next = 1;

    void add(Rows values) { records.push_back({next++, std::move(values)}); }
    Record* find(std::int32_t k) {
        return first([k](const Record& r) { return r.key == k; });
    }
    Record* first(const Which& which) {
        const auto found = std::ranges::find_if(records, which);
        return found != records.end() ? &*found : nullptr;
    }
    Rows column(std::size_t at) const {
        Rows values;
        for (const auto& r : records)
            values.push_back(r.fields[at]);
        return values;
    }
    // The records `which` picks as a list view shows them: the key first, Null as the empty text.
    std::vector<Rows> shown(const Which& which) const {
        std::vector<Rows> rows;
        for (const auto& r : records)
            if (which(r)) {
                rows.emplace_back(keyed ? Rows{number(r.key)} : Rows{});
                for (const auto& value : r.fields)
                    rows.back().push_back(value == kNull ? u"" : value);
            }
        return rows;
    }
    // As the database dump shows them: the values joined by '|', Null as kNull.
    Rows dump() const {
        Rows lines;
        for (const auto& r : records) {
            lines.push_back(keyed ? number(r.key) : r.fields[0]);
            for (std::size_t i = keyed ? 0 : 1; i < r.fields.size(); ++i)
                lines.back() += u"|" + r.fields[i];
        }
        return lines;
    }
};

std::optional<std::int32_t> keyOf(const Table::Record* r) {
    return r != nullptr ? std::optional(r->key) : std::nullopt;
}

// What a step did (for the failure message), whether it must fail, and how it changes the model.
struct Step {
    std::string what;
    bool mustFail = false;
    std::function<void()> onStore, onModel;
};

// The store and what Rules.mdb should hold.
class StoreModel {
public:
    explicit StoreModel(std::uint64_t seed) : dice_(seed) {
        store_.fDBConnect(true);
        sys_.add({u"RndTimer", u"60"});
        sys_.add({u"TabStart", u"0"});
    }

    std::string run(std::size_t steps) {
        for (std::size_t i = 0; i < steps; ++i) {
            mismatch_.reset();
            Step step = next();
            try {
                step.onStore();
                if (step.mustFail)
                    mismatch_ = "succeeded but should have failed";
                else
                    step.onModel();
            } catch (const StoreError& e) {
                if (!step.mustFail || *e.what() == '\0')
                    mismatch_ = std::string("failed unexpectedly or without a description: ") + e.what();
            }
            for (const Table* table : all_)
                if (!mismatch_ &&
                    peek_.rows("SELECT * FROM " + table->name + " ORDER BY rowid") != table->dump())
                    mismatch_ = table->name + " differs from the model";
            if (mismatch_)
                return "step " + std::to_string(i) + " (" + step.what + "): " + *mismatch_;
        }
        return {};
    }

private:
    const std::u16string& text() { return kTexts[below(kTexts.size())]; }
    // Mostly a text that is stored, otherwise any.
    std::u16string storedText(const Rows& texts) {
        return !texts.empty() && percent(80) ? texts[below(texts.size())] : text();
    }
    // A key that exists most of the time, otherwise one deleted or never handed out.
    std::int32_t pickKey(const Table& table) {
        if (!table.records.empty() && percent(85))
            return table.records[below(table.records.size())].key;
        return static_cast<std::int32_t>(below(static_cast<std::size_t>(table.next) + 3));
    }
    // A table or field name as a caller may spell it: names match in any letter case.
    std::string spelled(std::string name) {
        if (percent(25))
            std::ranges::transform(name, name.begin(), [](char c) { return std::toupper(c); });
        return name;
    }
    // TabStart, its case twin, a quoted key or any text: keys are bound and compare exactly.
    std::u16string settingKey() {
        const std::array<std::u16string, 4> keys = {u"TabStart", u"tabstart", u"it's", text()};
        return keys[below(keys.size())];
    }
    Table::Record* setting(const std::u16string& para) {
        return sys_.first([&](const Table::Record& r) { return r.fields[0] == para; });
    }

    struct Calls {
        std::function<void()> add;
        std::function<void(std::int32_t)> change, remove;
    };
    // Adds a record (refused when `addFails`), changes the fields from `at` on of one, or deletes
    // one; one that is not there must fail. Without `calls` the list's text field picks the first
    // record holding exactly the text, and a change sets that field alone.
    Step edit(Table& table, Rows added, std::size_t at = 0, Calls calls = {}, bool addFails = false) {
        std::int32_t key = pickKey(table);
        std::string what = table.name + " by key " + std::to_string(key);
        const bool byText = !calls.add;
        if (byText) {
            const std::u16string old = storedText(table.column(0)), t = added[0];
            const std::string name = spelled(table.name), field = spelled(table.field);
            key = keyOf(table.first([&](const Table::Record& r) { return r.fields[0] == old; })).value_or(0);
            what = name + " by text";
            calls = {[=, this] { store_.fAddRecord(name, field, t); },
                     [=, this](std::int32_t) { store_.fChangeRecord(name, field, old, t); },
                     [=, this](std::int32_t) { store_.fDelRecord(name, field, old); }};
        }
        const bool gone = table.find(key) == nullptr;
        // Adds outweigh deletes while a table is small, and the other way round once it is large.
        const std::size_t pick = below(60) >= table.records.size() ? 0 : 1 + below(2);
        if (pick == 0)
            return {"add to " + what, addFails, calls.add, [=, &table] { table.add(added); }};
        if (pick == 1)
            return {"change " + what, gone, [=] { calls.change(key); },
                    [=, &table] {
                        std::copy(added.begin() + at, byText ? added.begin() + 1 : added.end(),
                                  table.find(key)->fields.begin() + at);
                    }};
        return {"delete " + what, gone, [=] { calls.remove(key); },
                [=, this, &table] {
                    std::erase_if(table.records, [&](const Table::Record& r) { return r.key == key; });
                    std::erase_if(texts_.records, [&](const Table::Record& r) {
                        return table.citedBy >= 0 && r.fields[table.citedBy] == number(key);
                    });
                }};
    }

    Step settings() {
        if (percent(50)) {
            const std::u16string key = settingKey(), t = text();
            return {"set a setting", false, [=, this] { store_.fSetSysPara(key, t); },
                    [=, this] { set(key, t); }};
        }
        // Now and then an interval whose tick would not fit in 32 bits: refused, nothing saved.
        const std::array<std::int32_t, 6> seconds = {15, 60, 6553, 214748364, 214748365, -214748365};
        const std::int32_t s = seconds[below(seconds.size())];
        return {"set RndTimer " + std::to_string(s), s == 214748365 || s == -214748365,
                [=, this] { store_.fSetRndTimer(s); }, [=, this] { set(u"RndTimer", number(s)); }};
    }
    void set(const std::u16string& para, const std::u16string& value) {
        if (Table::Record* row = setting(para))
            row->fields[1] = value;
        else
            sys_.add({para, value});
    }

    Step reads() {
        const std::int32_t rule = pickKey(rules_), lang = pickKey(langs_);
        const std::u16string name = storedText(langs_.column(0)), key = settingKey();
        const Table& table = *all_[below(all_.size())];
        const std::string spelledName = spelled(table.name);
        return {
            "read", false,
            [=, this, &table] {
                const Table::Record* text = texts_.first([&](const Table::Record& r) {
                    return r.fields[0] == number(lang) && r.fields[1] == number(rule);
                });
                const Table::Record *language = langs_.find(lang), *para = setting(key);
                const auto named = [&](const Table::Record& r) { return r.fields[0] == name; };
                // Every language of that name, so a name given twice shows the translations of both.
                const auto ofNamed = [&](const Table::Record& r) {
                    return std::ranges::any_of(langs_.records, [&](const Table::Record& l) {
                        return named(l) && number(l.key) == r.fields[0];
                    });
                };
                const std::pair<const char*, bool> same[] = {
                    {"fGetTranslation", store_.fGetTranslation(rule, lang) == (text ? text->fields[2] : u"")},
                    {"findTranslation", store_.findTranslation(rule, lang) == keyOf(text)},
                    {"languageIdByName", store_.languageIdByName(name) == keyOf(langs_.first(named))},
                    {"languageName", store_.languageName(lang) ==
                                         (language ? std::optional(language->fields[0]) : std::nullopt)},
                    {"languageNames", store_.languageNames() == langs_.column(0)},
                    {"ruleExists", store_.ruleExists(rule) == (rules_.find(rule) != nullptr)},
                    {"fGetRndTimer", number(store_.fGetRndTimer()) == setting(u"RndTimer")->fields[1]},
                    {"fGetSysPara", store_.fGetSysPara(key) == (para ? para->fields[1] : u"")},
                    {"the snapshot of a table", readSnapshot(db_.path(), spelledName, false).rows ==
                                                    table.shown([](auto&) { return true; })},
                    {"the snapshot of a language's translations",
                     readSnapshot(db_.path(), kTranslationsOfLanguage, true, {name}).rows ==
                         texts_.shown(ofNamed)},
                };
                for (const auto& [read, equal] : same)
                    if (!equal)
                        mismatch_ = std::string(read) + " differs from the model";
            },
            [] {}};
    }

    // The store's calls by key, each given `args` (after the key, but for the add).
    Calls byKey(auto add, auto change, auto remove, auto... args) {
        return {[=, this] { std::invoke(add, store_, args...); },
                [=, this](std::int32_t k) { std::invoke(change, store_, k, args...); },
                [=, this](std::int32_t k) { std::invoke(remove, store_, k); }};
    }

    Step next() {
        const std::u16string t = text(), kind = percent(50) ? u"Say" : u"Command";
        const auto keyed = [&](Calls calls) { return percent(30) ? Calls{} : calls; };
        switch (below(7)) {
        case 0:
            return edit(percent(50) ? say_ : rnd_, {t});
        case 1:
            return edit(rules_, {t}, 0,
                        keyed(byKey(&Store::addRule, &Store::changeRule, &Store::deleteRule, t)));
        case 2:
            return edit(langs_, {t}, 0,
                        keyed(byKey(&Store::addLanguage, &Store::renameLanguage, &Store::deleteLanguage, t)));
        case 3: {
            const std::int32_t lang = pickKey(langs_), rule = pickKey(rules_);
            const auto add = [=](Store& s, std::u16string_view text) { s.addTranslation(lang, rule, text); };
            return edit(texts_, {number(lang), number(rule), t}, 2,
                        byKey(add, &Store::changeTranslation, &Store::deleteTranslation, t),
                        langs_.find(lang) == nullptr || rules_.find(rule) == nullptr);
        }
        case 4:
            // Added by text, an entry has no kind yet.
            if (percent(30))
                return edit(userDefs_, {t, kNull});
            return edit(userDefs_, {t, kind}, 0,
                        byKey(&Store::addUserDef, &Store::changeUserDef, &Store::deleteUserDef, t, kind));
        case 5:
            return settings();
        default:
            return reads();
        }
    }

    // The engine's sequence is the same with every standard library (the std:: distributions' is not).
    std::size_t below(std::size_t n) { return static_cast<std::size_t>(dice_() % n); }
    bool percent(unsigned p) { return below(100) < p; }

    std::mt19937_64 dice_;
    TempRulesDb db_;
    Store store_{db_.path()};
    SqlPeek peek_{db_.path(), false};
    Table say_{"tbl_Say", "SayText", false}, rnd_{"tbl_RndSpeak", "RandomSpeak", false};
    Table rules_{"tbl_Rules", "RuleBasicLang", true, 1}, langs_{"tbl_Langs", "Language", true, 0};
    Table texts_{"tbl_Text", "Translation"}, userDefs_{"tbl_Userdef", "UserD1"},
        sys_{"tbl_Sys", "Para", false};
    const std::array<Table*, 7> all_{&say_, &rnd_, &rules_, &langs_, &texts_, &userDefs_, &sys_};
    std::optional<std::string> mismatch_;
};

TEST(StoreModelTest, RandomUserOperationsKeepTheDatabaseEqualToTheModel) {
    const std::size_t steps = envNumber("BRASSBELL_MODEL_STEPS", 20000);
    const std::uint64_t seed = envNumber("BRASSBELL_MODEL_SEED", 20240611);
    EXPECT_EQ(StoreModel(seed).run(steps), "") << "seed " << seed;
}

} // namespace
} // namespace brassbell::testing
