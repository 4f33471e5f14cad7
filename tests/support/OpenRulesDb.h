#pragma once

// A fresh Rules.mdb with the store open on it, and a look at it behind the store's back.
#include "store/Store.h"

#include "SqlPeek.h"
#include "TempRulesDb.h"

#include <gtest/gtest.h>

namespace brassbell::testing {

using Rows = std::vector<std::u16string>;

class OpenRulesDb : public ::testing::Test {
protected:
    void SetUp() override { store.fDBConnect(true); }
    Rows rows(const std::string& sql) { return peek(db.path(), sql); }
    void run(const std::string& sql) { execute(db.path(), sql); }

    TempRulesDb db;
    Store store{db.path()};
};

} // namespace brassbell::testing
