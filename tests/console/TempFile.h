#pragma once

#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace brassbell::testing {

// A fresh file name in the temporary folder; the file is deleted when this goes.
class TempFile {
public:
    explicit TempFile(const std::string& stem) {
        static std::atomic<unsigned> counter{0};
        path_ = (std::filesystem::temp_directory_path() /
                 ("brassbell-" + stem + "-" + std::to_string(::getpid()) + "-" + std::to_string(counter++)))
                    .string();
        std::remove(path_.c_str());
    }
    ~TempFile() { std::remove(path_.c_str()); }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    const std::string& path() const { return path_; }
    // The whole file as bytes; "" when it does not exist.
    std::string bytes() const {
        std::ifstream file(path_, std::ios::binary);
        return {std::istreambuf_iterator<char>(file), {}};
    }

private:
    std::string path_;
};

} // namespace brassbell::testing
