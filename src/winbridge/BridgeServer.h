#pragma once

#include "console/WindowSystem.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace brassbell::winbridge {

// Serves one request line on the window system given and returns the answer line. Only the
// protocol's seven calls are ever made, and none for a request that is refused.
std::string answerRequest(std::string_view line, WindowSystem& windows);

// Reads up to `capacity` bytes into `buffer`; 0 at the end of input (or on a read error).
using ReadBytes = std::function<std::size_t(char* buffer, std::size_t capacity)>;
// Writes one whole answer line, its "\n" included; false when nobody listens any more.
using WriteLine = std::function<bool(std::string_view line)>;

// The bridge's life: the greeting, then one answer per request line until the input ends.
// An unfinished last line is answered as truncated. Returns when the input ends or the
// answers can no longer be written.
void serve(const ReadBytes& read, const WriteLine& write, WindowSystem& windows);

} // namespace brassbell::winbridge
