// The INI reader that stands in for the system's profile functions off Windows.
#include "import/IniReader.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <fstream>
#include <random>

namespace brassbell::testing {
namespace {

class IniReaderTest : public ::testing::Test {
protected:
    std::filesystem::path write(const std::string& bytes) {
        const std::filesystem::path file = dir_.path().toStdString() + "/Brassbell.ini";
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out << bytes;
        return file;
    }
    std::string read(const std::string& bytes, std::string_view key,
                     std::string_view section = "SayStrings") {
        const std::string_view keys[] = {key};
        return readIniValues(write(bytes), section, keys).at(0);
    }

    QTemporaryDir dir_;
};

struct Case {
    const char* name;
    std::string file;
    std::string expected; // the value of Say1 in SayStrings
};

TEST_F(IniReaderTest, AnswersAsTheProfileFunctionsDo) {
    const std::string longValue(1500, 'v');
    const Case cases[] = {
        {"plain", "[SayStrings]\r\nSay1=0001hello\r\n", "0001hello"},
        {"blanks and tabs around names and values", " \t[SayStrings]\r\n \tSay1 \t= \t0001 a b \t\r\n",
         "0001 a b"},
        {"double quotes removed", "[SayStrings]\nSay1=\"  0001 quoted  \"\n", "  0001 quoted  "},
        {"single quotes removed", "[SayStrings]\nSay1='0001 quoted'\n", "0001 quoted"},
        {"quotes that do not match stay", "[SayStrings]\nSay1=\"0001 quoted'\n", "\"0001 quoted'"},
        {"a lone quote stays", "[SayStrings]\nSay1=\"\n", "\""},
        {"empty quotes give empty", "[SayStrings]\nSay1=\"\"\n", ""},
        {"section and key in any letter case", "[sAYsTRINGS]\nsay1=0001x\n", "0001x"},
        {"blanks inside the brackets", "[ SayStrings ]\nSay1=0001x\n", "0001x"},
        {"an equals sign inside the value", "[SayStrings]\nSay1=0001a=b\n", "0001a=b"},
        {"the first key of a name wins", "[SayStrings]\nSay1=first\nSay1=second\n", "first"},
        {"only the first section of a name counts", "[SayStrings]\nSay2=x\n[SayStrings]\nSay1=later\n", ""},
        {"keys of other sections are not read", "[Other]\nSay1=other\n[SayStrings]\nSay2=x\n", ""},
        {"a key before any section is not read", "Say1=orphan\n[SayStrings]\n", ""},
        {"a similar key does not match", "[SayStrings]\nSay10=ten\nSay1x=x\n", ""},
        {"a line without equals sign is no key", "[SayStrings]\nSay1\nSay1=0001x\n", "0001x"},
        {"a missing key reads empty", "[SayStrings]\nSay2=x\n", ""},
        {"an empty value reads empty", "[SayStrings]\nSay1=\n", ""},
        {"lines ended by CR alone", "[SayStrings]\rSay2=x\rSay1=0001cr\r", "0001cr"},
        {"no line end at the end of the file", "[SayStrings]\r\nSay1=0001last", "0001last"},
        {"a section header without its bracket", "[SayStrings\nSay1=0001x\n", "0001x"},
        {"a NUL byte ends the value", std::string("[SayStrings]\nSay1=0001ab\0cd\n", 25), "0001ab"},
        {"values are cut to 1023 bytes", "[SayStrings]\nSay1=" + longValue + "\n", longValue.substr(0, 1023)},
        {"a long quoted value loses its quotes, then is cut", "[SayStrings]\nSay1=\"" + longValue + "\"  \n",
         longValue.substr(0, 1023)},
        {"an empty file", "", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(read(c.file, "Say1"), c.expected) << c.name;
}

TEST_F(IniReaderTest, ReadsManyKeysInOneCallInTheOrderAsked) {
    const std::string_view keys[] = {"Say3", "Say1", "Say2"};
    const auto values = readIniValues(write("[SayStrings]\nSay1=one\nSay3=three\n"), "SayStrings", keys);
    EXPECT_EQ(values, (std::vector<std::string>{"three", "one", ""}));
}

TEST_F(IniReaderTest, LinesSpanningTheReadBlocksAreWhole) {
    // The reader takes the file in blocks of 1 MiB; put the key line across the first edge.
    const std::size_t edge = std::size_t{1} << 20;
    std::string bytes = "[SayStrings]\n";
    bytes += std::string(edge - bytes.size() - 10, ';');
    bytes += "\nSay1=0001across the edge\n";
    EXPECT_EQ(read(bytes, "Say1"), "0001across the edge");

    std::string quoted = "[SayStrings]\nSay1=\"" + std::string(edge, 'q') + "\"\n";
    EXPECT_EQ(read(quoted, "Say1"), std::string(1023, 'q'));
}

TEST_F(IniReaderTest, BinaryAndHugeFilesAreReadWithoutHarm) {
    std::mt19937 random(7);
    std::string noise(8u << 20, '\0');
    for (char& c : noise)
        c = static_cast<char>(random());
    EXPECT_EQ(read(noise, "Say1"), "");
    EXPECT_EQ(read("[SayStrings]\nSay1=0001" + std::string(noise.size(), 'z'), "Say1").size(), 1023u);
    EXPECT_EQ(read(noise + "\n[SayStrings]\nSay1=0001found\n", "Say1"), "0001found");
}

TEST_F(IniReaderTest, AFileThatCannotBeReadIsAnError) {
    const std::string_view keys[] = {"Say1"};
    EXPECT_THROW(readIniValues(dir_.path().toStdString() + "/missing.ini", "SayStrings", keys), IniReadError);
    EXPECT_THROW(readIniValues(dir_.path().toStdString(), "SayStrings", keys), IniReadError) << "a folder";
}

} // namespace
} // namespace brassbell::testing
