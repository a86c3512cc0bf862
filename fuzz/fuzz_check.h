#pragma once
// What every fuzz target shares: its entry point and the check of a property that must hold for
// every input (when one does not, the fuzzer stops with the input that broke it).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string_view>

#define FUZZ_CHECK(condition)                                                                  \
    do {                                                                                       \
        if (!(condition)) {                                                                    \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                      \
        }                                                                                      \
    } while (false)

// The body that follows is run on each input, `bytes`.
#define FUZZ_TARGET(bytes)                                                              \
    static void FuzzOne(std::span<const std::uint8_t> bytes);                           \
    extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) { \
        FuzzOne({data, size});                                                          \
        return 0;                                                                       \
    }                                                                                   \
    static void FuzzOne(std::span<const std::uint8_t> bytes)

inline std::string_view AsText(std::span<const std::uint8_t> bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}
