// The number parsing of the time-limit prompt and of the random speaker's interval box: any
// answer gives a number in range or none, and the interval's judgement keeps its promises.
#include "FuzzInput.h"
#include "messages/SpeakInterval.h"
#include "uikit/Numbers.h"

#include <QLocale>
#include <QString>

#include "FuzzRequire.h"
#include <cmath>

#include <cstdlib>

namespace {

// Digits alone, perhaps after a minus sign: the plainest answer, which must read as itself.
bool plainWhole(const QString& text) {
    const qsizetype start = text.startsWith(u'-') ? 1 : 0;
    if (text.size() == start || text.size() > 12)
        return false;
    for (qsizetype i = start; i < text.size(); ++i) {
        if (text[i] < u'0' || text[i] > u'9')
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::u16string units = data[0] & 1 ? brassbell::fuzz::utf16Units(data + 1, size - 1)
                                             : brassbell::fuzz::latin1Units(data + 1, size - 1);
    const QString text = QString::fromStdU16String(units);

    for (const QChar point : {QChar(u'.'), QChar(u',')}) {
        const auto minutes = brassbell::parseTimeLimit(text, point);
        const QString trimmed = text.trimmed();
        if (plainWhole(trimmed)) {
            const qlonglong whole = trimmed.toLongLong();
            if (whole >= INT32_MIN && whole <= INT32_MAX)
                BRASSBELL_FUZZ_REQUIRE(minutes && *minutes == whole);
            else
                BRASSBELL_FUZZ_REQUIRE(!minutes);
        }
    }

    static const QLocale german(QLocale::German, QLocale::Germany);
    static const QLocale c = QLocale::c();
    for (const QLocale* locale : {&c, &german}) {
        const auto number = brassbell::readIntervalNumber(text, *locale);
        if (!number)
            continue;
        BRASSBELL_FUZZ_REQUIRE(!std::isnan(*number));
        const brassbell::IntervalJudgement judged = brassbell::judgeInterval(*number);
        if (judged.verdict == brassbell::IntervalVerdict::Accepted) {
            BRASSBELL_FUZZ_REQUIRE(judged.seconds >= brassbell::kShortestRndInterval &&
                                   judged.seconds <= brassbell::kLongestRndInterval);
            const auto tick = brassbell::rndTickMillis(judged.seconds);
            BRASSBELL_FUZZ_REQUIRE(tick && *tick == judged.seconds * 10);
        }
    }
    return 0;
}
