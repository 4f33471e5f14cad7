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

TEST_F(IniReaderTest, AnswersAsTheProfileFunctionsDo) {
    const std::string longValue(1500, 'v');
    // The reader takes the file in blocks of 1 MiB: lines across the first edge are whole, and
    // binary or huge files are read without harm.
    const std::size_t edge = std::size_t{1} << 20;
    std::mt19937 random(7);
    std::string noise(8u << 20, '\0');
    for (char& c : noise)
        c = static_cast<char>(random());
    // The file, and the value of Say1 in SayStrings read from it.
    // clang-format off
    const std::pair<std::string, std::string> cases[] = {
        {"[SayStrings]\r\nSay1=0001hello\r\n", "0001hello"},
        {" \t[SayStrings]\r\n \tSay1 \t= \t0001 a b \t\r\n", "0001 a b"},
        {"[SayStrings]\nSay1=\"  0001 quoted  \"\n", "  0001 quoted  "},
        {"[SayStrings]\nSay1='0001 quoted'\n", "0001 quoted"},
        {"[SayStrings]\nSay1=\"0001 quoted'\n", "\"0001 quoted'"}, {"[SayStrings]\nSay1=\"\n", "\""},
        {"[SayStrings]\nSay1=\"\"\n", ""}, {"[sAYsTRINGS]\nsay1=0001x\n", "0001x"},
        {"[ SayStrings ]\nSay1=0001x\n", "0001x"}, {"[SayStrings]\nSay1=0001a=b\n", "0001a=b"},
        {"[SayStrings]\nSay1=first\nSay1=second\n", "first"},
        {"[SayStrings]\nSay2=x\n[SayStrings]\nSay1=later\n", ""},
        {"[Other]\nSay1=other\n[SayStrings]\nSay2=x\n", ""}, {"Say1=orphan\n[SayStrings]\n", ""},
        {"[SayStrings]\nSay10=ten\nSay1x=x\n", ""}, {"[SayStrings]\nSay1\nSay1=0001x\n", "0001x"},
        {"[SayStrings]\nSay2=x\n", ""}, {"[SayStrings]\nSay1=\n", ""},
        {"[SayStrings]\rSay2=x\rSay1=0001cr\r", "0001cr"}, {"[SayStrings]\r\nSay1=0001last", "0001last"},
        {"[SayStrings\nSay1=0001x\n", "0001x"}, {std::string("[SayStrings]\nSay1=0001ab\0cd\n", 25), "0001ab"},
        {"[SayStrings]\nSay1=" + longValue + "\n", longValue.substr(0, 1023)},
        {"[SayStrings]\nSay1=\"" + longValue + "\"  \n", longValue.substr(0, 1023)}, {"", ""},
        {"[SayStrings]\n" + std::string(edge - 23, ';') + "\nSay1=0001across the edge\n", "0001across the edge"},
        {"[SayStrings]\nSay1=\"" + std::string(edge, 'q') + "\"\n", std::string(1023, 'q')}, {noise, ""},
        {"[SayStrings]\nSay1=0001" + std::string(noise.size(), 'z'), "0001" + std::string(1019, 'z')},
        {noise + "\n[SayStrings]\nSay1=0001found\n", "0001found"}};
    // clang-format on
    for (const auto& [file, expected] : cases)
        EXPECT_EQ(read(file, "Say1"), expected) << file.substr(0, 80);
}

TEST_F(IniReaderTest, ReadsManyKeysInOneCallInTheOrderAskedAndAFileThatCannotBeReadIsAnError) {
    const std::string_view keys[] = {"Say3", "Say1", "Say2"};
    const auto values = readIniValues(write("[SayStrings]\nSay1=one\nSay3=three\n"), "SayStrings", keys);
    EXPECT_EQ(values, (std::vector<std::string>{"three", "one", ""}));
    EXPECT_THROW(readIniValues(dir_.path().toStdString() + "/missing.ini", "SayStrings", keys), IniReadError);
    EXPECT_THROW(readIniValues(dir_.path().toStdString(), "SayStrings", keys), IniReadError) << "a folder";
}

} // namespace
} // namespace brassbell::testing
