#include "import/IniReader.h"

#include "store/PathText.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <fstream>
#include <limits>
#include <memory>
#include <optional>

namespace brassbell {

namespace {

constexpr std::size_t kChunkSize = std::size_t{1} << 20;
// Section and key names are kept up to this length; a longer name can never equal one asked
// for, so nothing beyond it is worth memory.
constexpr std::size_t kNameLimit = 256;
// One byte for a leading quote and one to see that a value runs past the limit.
constexpr std::size_t kValueKept = kIniValueLimit + 2;
constexpr std::size_t kUnknown = std::numeric_limits<std::size_t>::max();

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameName(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) { return lowerAscii(x) == lowerAscii(y); });
}

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// Follows the file line by line as its bytes arrive in chunks, so a line may span chunks and
// a file of any size needs no more than the few names and values asked for.
class Scanner {
public:
    Scanner(std::string_view section, std::span<const std::string_view> keys)
        : section_(section), keys_(keys), values_(keys.size()), found_(keys.size(), 0) {
        for (const std::string_view key : keys) {
            if (!key.empty())
                firstLetters_[static_cast<unsigned char>(lowerAscii(key.front()))] = true;
        }
    }

    // False once nothing more can change the answers.
    bool feed(const char* data, std::size_t size) {
        data_ = data;
        size_ = size;
        lfAt_ = kUnknown;
        crAt_ = kUnknown;
        std::size_t pos = 0;
        while (pos < size && !done_)
            pos = step(pos);
        return !done_;
    }

    void finish() {
        if (!done_)
            endLine();
    }

    std::vector<std::string> take() { return std::move(values_); }

private:
    enum class State { LineStart, Skip, SectionName, Key, ValueLead, Value };

    std::size_t step(std::size_t pos) {
        const char c = data_[pos];
        switch (state_) {
        case State::LineStart:
            if (isLineEnd(c) || isBlank(c))
                return pos + 1;
            if (c == '[') {
                name_.clear();
                nameTooLong_ = false;
                state_ = State::SectionName;
                return pos + 1;
            }
            if (inSection_) {
                name_.clear();
                nameTooLong_ = false;
                state_ = State::Key;
                return pos;
            }
            state_ = State::Skip;
            return pos;
        case State::Skip: {
            const std::size_t eol = lineEnd(pos);
            if (eol == size_)
                return size_;
            endLine();
            return eol + 1;
        }
        case State::SectionName:
            if (isLineEnd(c)) {
                // A "[" line without "]" is no section header: the section goes on.
                state_ = State::LineStart;
                return pos + 1;
            }
            if (c == ']') {
                enterSection();
                state_ = State::Skip;
                return pos + 1;
            }
            keepNameByte(c);
            return pos + 1;
        case State::Key: {
            std::size_t end = pos;
            while (end < size_ && data_[end] != '=' && !isLineEnd(data_[end]))
                ++end;
            const std::size_t kept = std::min(end - pos, kNameLimit - std::min(kNameLimit, name_.size()));
            name_.append(data_ + pos, kept);
            nameTooLong_ = nameTooLong_ || kept < end - pos;
            if (end == size_)
                return size_;
            if (data_[end] == '=')
                startValue();
            else
                endLine();
            return end + 1;
        }
        case State::ValueLead:
            if (isBlank(c))
                return pos + 1;
            if (isLineEnd(c)) {
                endLine();
                return pos + 1;
            }
            state_ = State::Value;
            return pos;
        case State::Value: {
            const std::size_t eol = lineEnd(pos);
            keepValueBytes(pos, eol);
            if (eol == size_)
                return size_;
            endLine();
            return eol + 1;
        }
        }
        return pos + 1;
    }

    // The next CR or LF at or after pos, or size_. Each is searched for again only once passed,
    // so a chunk of many lines is scanned once, not once per line.
    std::size_t lineEnd(std::size_t pos) {
        const auto next = [&](std::size_t& cached, char wanted) {
            if (cached == kUnknown || cached < pos) {
                const void* hit = std::memchr(data_ + pos, wanted, size_ - pos);
                cached = hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - data_) : size_;
            }
            return cached;
        };
        return std::min(next(lfAt_, '\n'), next(crAt_, '\r'));
    }

    void keepNameByte(char c) {
        if (name_.size() < kNameLimit)
            name_.push_back(c);
        else
            nameTooLong_ = true;
    }

    void enterSection() {
        if (inSection_) {
            // Only the first section of that name counts.
            done_ = true;
            return;
        }
        inSection_ = !nameTooLong_ && sameName(trimBlanks(name_), section_);
    }

    void startValue() {
        target_.reset();
        const std::string_view key = trimBlanks(name_);
        // Most lines of a large file name no key asked for; their first letter already says so.
        if (!nameTooLong_ && !key.empty() &&
            firstLetters_[static_cast<unsigned char>(lowerAscii(key.front()))]) {
            for (std::size_t i = 0; i < keys_.size(); ++i) {
                if (key.size() == keys_[i].size() && !found_[i] && sameName(key, keys_[i])) {
                    target_ = i;
                    break;
                }
            }
        }
        if (!target_) {
            state_ = State::Skip;
            return;
        }
        value_.clear();
        valueLength_ = 0;
        trimmedLength_ = 0;
        lastNonBlank_ = '\0';
        state_ = State::ValueLead;
    }

    void keepValueBytes(std::size_t from, std::size_t to) {
        const std::size_t room = kValueKept - std::min(kValueKept, value_.size());
        value_.append(data_ + from, std::min(room, to - from));
        for (std::size_t i = to; i > from; --i) {
            if (!isBlank(data_[i - 1])) {
                lastNonBlank_ = data_[i - 1];
                trimmedLength_ = valueLength_ + (i - from);
                break;
            }
        }
        valueLength_ += to - from;
    }

    void finishValue() {
        std::string_view value(value_.data(), std::min(trimmedLength_, value_.size()));
        const bool quoted = trimmedLength_ >= 2 && (value.front() == '"' || value.front() == '\'') &&
                            lastNonBlank_ == value.front();
        if (quoted)
            value = value.substr(1, std::min(trimmedLength_ - 2, value.size() - 1));
        value = value.substr(0, std::min(value.find('\0'), value.size()));
        value = value.substr(0, std::min(value.size(), kIniValueLimit));
        values_[*target_] = std::string(value);
        found_[*target_] = 1;
        target_.reset();
        if (std::ranges::all_of(found_, [](unsigned char f) { return f != 0; }))
            done_ = true;
    }

    void endLine() {
        switch (state_) {
        case State::Key:
            // A key without "=" is that key with the empty value.
            startValue();
            if (state_ == State::ValueLead)
                finishValue();
            break;
        case State::ValueLead:
        case State::Value:
            finishValue();
            break;
        default:
            break;
        }
        state_ = State::LineStart;
    }

    std::string_view section_;
    std::span<const std::string_view> keys_;
    std::vector<std::string> values_;
    std::vector<unsigned char> found_; // not vector<bool>: this is read for every key line
    std::array<bool, 256> firstLetters_{};

    const char* data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t lfAt_ = kUnknown;
    std::size_t crAt_ = kUnknown;

    State state_ = State::LineStart;
    bool inSection_ = false;
    bool done_ = false;
    std::string name_;
    bool nameTooLong_ = false;
    std::optional<std::size_t> target_;
    std::string value_;
    std::size_t valueLength_ = 0;
    std::size_t trimmedLength_ = 0;
    char lastNonBlank_ = '\0';
};

} // namespace

std::vector<std::string> readIniValues(const std::filesystem::path& file, std::string_view section,
                                       std::span<const std::string_view> keys) {
    std::error_code ec;
    // A folder or a device is no INI file, and a device could deliver bytes without end.
    if (!std::filesystem::is_regular_file(file, ec))
        throw IniReadError("not a readable file: " + pathText(file));
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw IniReadError("cannot open " + pathText(file));

    Scanner scanner(section, keys);
    const auto buffer = std::make_unique<char[]>(kChunkSize);
    while (in) {
        in.read(buffer.get(), static_cast<std::streamsize>(kChunkSize));
        const auto got = static_cast<std::size_t>(in.gcount());
        if (in.bad())
            throw IniReadError("cannot read " + pathText(file));
        if (got == 0 || !scanner.feed(buffer.get(), got))
            break;
    }
    if (in.bad())
        throw IniReadError("cannot read " + pathText(file));
    scanner.finish();
    return scanner.take();
}

} // namespace brassbell
