#pragma once
// The bytes the builder reads and writes: whole files, and the little-endian fields of the .res,
// resource-section and image formats.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace builder {

// The whole file; raises BuildRefused naming the file and `what` it is when it cannot be read.
std::string ReadWholeFile(const std::filesystem::path& path, const std::string& what = "the file");

// Appends a field.
void Put16(std::string& out, std::uint16_t v);
void Put32(std::string& out, std::uint32_t v);
// A field of `width` bytes (2 or 4) at `at`; the caller has checked that it lies inside.
std::uint32_t Load(std::string_view bytes, size_t at, int width);
void Store(std::string& bytes, size_t at, std::uint32_t v, int width);

// `n` rounded up to a multiple of `alignment`.
std::uint64_t AlignUp(std::uint64_t n, std::uint64_t alignment);

} // namespace builder
