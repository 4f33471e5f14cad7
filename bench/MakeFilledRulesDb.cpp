// bench_make_rules FILE ROWS: a Rules.mdb with ROWS records in every table, for timing start-up.
#include "BenchData.h"

#include <cstdio>
#include <cstdlib>
#include <exception>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: bench_make_rules FILE ROWS\n");
        return 2;
    }
    try {
        brassbell::bench::makeFilledRulesDb(argv[1], std::atoi(argv[2]));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
