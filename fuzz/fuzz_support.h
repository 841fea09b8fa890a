#pragma once
// What every fuzz target shares: a reader that cuts the fuzzer's bytes into values,
// a check that stops the run with a message, and scratch files for the readers that
// take a path.
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

// Unlike assert, stays in every build; libFuzzer keeps the input that failed it.
#define FUZZ_CHECK(cond)                                                                                               \
    do {                                                                                                               \
        if (!(cond)) {                                                                                                 \
            std::fprintf(stderr, "%s:%d: property failed: %s\n", __FILE__, __LINE__, #cond);                           \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (0)

namespace fuzz {

// Takes values from the front of the input; once it is used up every value is zero or empty.
class Input {
public:
    Input(const uint8_t* data, size_t size) : rest_(reinterpret_cast<const char*>(data), size) {}

    std::string_view bytes(size_t n)
    {
        const std::string_view out = rest_.substr(0, n);
        rest_.remove_prefix(out.size());
        return out;
    }
    // A piece whose length is given by the next byte (up to 255), or up to a 16-bit length.
    std::string_view piece() { return bytes(number<uint8_t>()); }
    std::string_view longPiece() { return bytes(number<uint16_t>()); }
    std::string_view rest() { return bytes(rest_.size()); }

    template <typename T> T number()
    {
        T v{};
        const std::string_view b = bytes(sizeof v);
        std::memcpy(&v, b.data(), b.size());
        return v;
    }
    // Any double, infinities and NaN included.
    double anyDouble() { return number<double>(); }
    // A finite double.
    double finite()
    {
        const double v = anyDouble();
        return std::isfinite(v) ? v : 0;
    }
    bool flag() { return number<uint8_t>() & 1; }
    bool empty() const { return rest_.empty(); }

private:
    std::string_view rest_;
};

// A file of this process's own under the temporary folder, rewritten for each input.
class ScratchFile {
public:
    explicit ScratchFile(const char* name)
    {
        const char* tmp = std::getenv("TMPDIR");
        path_ = std::string(tmp && *tmp ? tmp : "/tmp") + "/quillon-fuzz-" + std::to_string(getpid()) + "-" + name;
    }
    ~ScratchFile() { unlink(path_.c_str()); }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    const std::string& write(std::string_view bytes) const
    {
        std::FILE* f = std::fopen(path_.c_str(), "wb");
        FUZZ_CHECK(f != nullptr);
        FUZZ_CHECK(std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size());
        FUZZ_CHECK(std::fclose(f) == 0);
        return path_;
    }
    std::string read() const
    {
        std::string out;
        std::FILE* f = std::fopen(path_.c_str(), "rb");
        FUZZ_CHECK(f != nullptr);
        char block[65536];
        for (size_t n; (n = std::fread(block, 1, sizeof block, f)) > 0;) out.append(block, n);
        std::fclose(f);
        return out;
    }
    void remove() const { unlink(path_.c_str()); }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

}  // namespace fuzz
