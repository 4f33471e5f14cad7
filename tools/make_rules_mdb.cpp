// Makes the Rules.mdb that is delivered beside the executable. A file already there is the
// user's and stays as it is.
#include "store/RulesDbMaker.h"
#include "store/Store.h"

#include <cstdio>
#include <exception>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_rules_mdb <path of Rules.mdb>\n");
        return 2;
    }
    const std::filesystem::path file = argv[1];
    try {
        if (brassbell::makeRulesDb(file))
            std::printf("made %s\n", file.string().c_str());
        else
            std::printf("kept the existing %s\n", file.string().c_str());
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_rules_mdb: %s\n", e.what());
        return 1;
    }
}
