// The console link's own cost per console line: discovery, the child walk, the byte
// conversion and the messages to the input line, on the simulated desktop with a recording
// pause, so the mandated 300 ms pauses are left out. Goal: at most 20 µs per line.
#include "console/ChatSplit.h"
#include "console/ConsoleLink.h"
#include "console/RecordingPause.h"
#include "console/SimulatedDesktop.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace brassbell {
namespace {

// The desktop keeps every message it was sent; a fresh one now and then keeps memory flat.
struct World {
    std::unique_ptr<SimulatedDesktop> desktop;
    std::unique_ptr<RecordingPause> pause;
    std::unique_ptr<ConsoleLink> link;

    explicit World(bool qw) { reset(qw); }
    void reset(bool qw) {
        desktop = std::make_unique<SimulatedDesktop>();
        if (qw)
            desktop->createEtqwConsole();
        else
            desktop->createEtConsole();
        // Other windows on the desktop, as a real one has.
        for (int i = 0; i < 20; ++i)
            desktop->createTopLevel("OtherClass" + std::to_string(i), "Other window " + std::to_string(i));
        pause = std::make_unique<RecordingPause>();
        link = std::make_unique<ConsoleLink>(*desktop, *pause);
    }
};

template <typename Send>
void perLine(benchmark::State& state, bool qw, Send send) {
    World world(qw);
    const std::u16string text(100, u'x');
    std::int64_t sinceReset = 0;
    for (auto _ : state) {
        send(*world.link, text);
        if (++sinceReset == 5000) {
            state.PauseTiming();
            world.reset(qw);
            sinceReset = 0;
            state.ResumeTiming();
        }
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_ChatLine_ET(benchmark::State& state) {
    perLine(state, false, [](ConsoleLink& link, const std::u16string& text) { link.fSay2All(text); });
}
void BM_CommandLine_ET(benchmark::State& state) {
    perLine(state, false, [](ConsoleLink& link, const std::u16string& text) { link.fSendCommand(text); });
}
void BM_ChatLine_ETQW(benchmark::State& state) {
    perLine(state, true, [](ConsoleLink& link, const std::u16string& text) { link.fSay2All(text); });
}
BENCHMARK(BM_ChatLine_ET);
BENCHMARK(BM_CommandLine_ET);
BENCHMARK(BM_ChatLine_ETQW);

// fSplitText and the line-break cut on 1 MB of text (512 Ki UTF-16 units).
constexpr std::size_t kMegabyteUnits = 512 * 1024;

std::u16string longText(bool separators, bool lineBreaks) {
    std::u16string text;
    text.reserve(kMegabyteUnits + 64);
    while (text.size() < kMegabyteUnits) {
        text += u"The quick brown fox jumps over the lazy dog; ";
        if (separators && text.size() % 7 == 0)
            text += u"|||:|||:|||:|||";
        if (lineBreaks && text.size() % 5 == 0)
            text += u"\r\n";
    }
    return text;
}

void BM_SplitText_1MB(benchmark::State& state) {
    const std::u16string text = longText(state.range(0) != 0, false);
    for (auto _ : state)
        benchmark::DoNotOptimize(fSplitText(text));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size() * 2));
}
BENCHMARK(BM_SplitText_1MB)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The whole chat path on 1 MB with line breaks: cut into lines, then pieces, each piece
// delivered to the console. With no console present only the cutting and pacing remain.
void BM_ChatLineBreakCut_1MB(benchmark::State& state) {
    const std::u16string text = longText(true, true);
    SimulatedDesktop desktop;
    RecordingPause pause;
    ConsoleLink link(desktop, pause);
    for (auto _ : state) {
        link.fSay2All(text);
        pause.clear();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size() * 2));
}
BENCHMARK(BM_ChatLineBreakCut_1MB)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace brassbell
