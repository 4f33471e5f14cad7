// The INI reader that stands in for the system's profile functions off Windows; on Windows the
// system's own GetPrivateProfileStringA answers every case too, and the two must agree.
#include "import/IniReader.h"
#include "import/V1Import.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <fstream>
#include <random>

namespace brassbell::testing {
namespace {

TEST(IniReaderTest, AnswersAsTheProfileFunctionsDo) {
    const std::string longValue(1500, 'v');
    // Read in blocks of 1 MiB: lines across the first edge are whole, binary or huge files harmless.
    const std::size_t edge = std::size_t{1} << 20;
    std::mt19937 random(7);
    std::string noise(8u << 20, '\0');
    for (char& c : noise)
        c = static_cast<char>(random());
    // The file, and the value of Say1 in SayStrings read from it.
    // clang-format off
    const std::string say = "[SayStrings]\nSay1=";
    const std::pair<std::string, std::string> cases[] = {
        {"[SayStrings]\r\nSay1=0001hello\r\n", "0001hello"},
        {" \t[SayStrings]\r\n \tSay1 \t= \t0001 a b \t\r\n", "0001 a b"}, {say + "\"\n", "\""},
        {say + "\"  0001 quoted  \"\n", "  0001 quoted  "}, {say + "'0001 quoted'\n", "0001 quoted"},
        {say + "\"0001 quoted'\n", "\"0001 quoted'"}, {say + "\"\"\n", ""}, {say + "\n", ""}, {"", ""},
        {"[sAYsTRINGS]\nsay1=0001x\n", "0001x"}, {"[ SayStrings ]\nSay1=0001x\n", "0001x"},
        {say + "0001a=b\n", "0001a=b"}, {say + "first\nSay1=second\n", "first"},
        {"[SayStrings]\nSay2=x\n[SayStrings]\nSay1=later\n", ""}, {"Say1=orphan\n[SayStrings]\n", ""},
        {"[Other]\nSay1=other\n[SayStrings]\nSay2=x\n", ""}, {"[SayStrings]\nSay10=ten\nSay1x=x\n", ""},
        {"[SayStrings]\nSay1\nSay1=0001x\n", ""}, {"[SayStrings]\nSay2=x\n", ""},
        {"[SayStrings\nSay1=0001x\n", ""}, {"[SayStrings]\n[Other\nSay1=0001x\n", "0001x"}, {say + std::string("0001ab\0cd", 7), "0001ab"},
        {"[SayStrings]\rSay2=x\rSay1=0001cr\r", "0001cr"}, {"[SayStrings]\r\nSay1=0001last", "0001last"},
        {say + longValue + "\n", longValue.substr(0, 1023)},
        {say + "\"" + longValue + "\"  \n", longValue.substr(0, 1023)},
        {"[SayStrings]\n" + std::string(edge - 23, ';') + "\nSay1=0001across the edge\n", "0001across the edge"},
        {say + "\"" + std::string(edge, 'q') + "\"\n", std::string(1023, 'q')}, {noise, ""},
        {say + "0001" + std::string(noise.size(), 'z'), "0001" + std::string(1019, 'z')},
        {noise + "\n" + say + "0001found\n", "0001found"}};
    // clang-format on
    QTemporaryDir dir;
    const std::filesystem::path file = dir.path().toStdString() + "/Brassbell.ini";
    const std::string_view keys[] = {"Say1"};
    for (const auto& [bytes, expected] : cases) {
        std::ofstream(file, std::ios::binary) << bytes;
        const std::string read = readIniValues(file, "SayStrings", keys).at(0);
        EXPECT_EQ(read, expected) << bytes.substr(0, 80);
#ifdef _WIN32
        EXPECT_EQ(fReadIniValue(QString::fromStdU16String(file.u16string()), "SayStrings", "Say1"),
                  QString::fromLocal8Bit(read))
            << bytes.substr(0, 80);
#endif
    }
}

} // namespace
} // namespace brassbell::testing
