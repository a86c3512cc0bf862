#pragma once
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

// A fresh, empty directory under the system temporary directory, removed with its content
// when the test ends.
class ScratchDir {
public:
    ScratchDir() : ScratchDir(std::filesystem::temp_directory_path() / UniqueName()) {}
    // Takes `path` over instead: emptied now, removed with its content at the end.
    explicit ScratchDir(std::filesystem::path path) : path_(std::move(path)) {
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~ScratchDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string File(const std::string& name) const { return (path_ / name).string(); }

private:
    static std::string UniqueName() {
        static std::atomic<int> serial{0};
        return "tolarka-test-" + std::to_string(getpid()) + "-" + std::to_string(serial++);
    }
    std::filesystem::path path_;
};

// A file's whole content ("" when it cannot be read).
inline std::string ReadFile(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Writes `bytes` to a file, making its directories first.
inline void WriteFile(const std::filesystem::path& p, const std::vector<unsigned char>& bytes) {
    std::filesystem::create_directories(p.parent_path());
    std::ofstream out(p, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}
