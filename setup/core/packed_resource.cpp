#include "packed_resource.h"

#include <zlib.h>

#include <cstring>
#include <exception>
#include <limits>
#include <memory>

namespace core {
namespace {

constexpr char kMarker[4] = {'V', 'L', 'Z', '\x01'};

std::uint64_t Get64(const unsigned char* p) {
    std::uint64_t value = 0;
    for (int i = 7; i >= 0; --i)
        value = value << 8 | p[i];
    return value;
}

std::uint32_t HeaderCheck(const char* header) {
    return static_cast<std::uint32_t>(
        adler32(1, reinterpret_cast<const Bytef*>(header), kPackHeaderSize - 4));
}

// Inflates a zlib stream through zlib's callback inflater, which works in its own 32 KB window
// (the setup links only it, not the larger incremental inflater). The zlib header and the Adler-32
// check of the content that close the stream are read here. Output is gathered in the caller's
// buffer and written when it is full, so that a file is written in large pieces; a stream that
// holds more than `size` bytes is stopped as soon as it passes that.
class StreamInflater {
  public:
    StreamInflater(std::string_view body, std::uint64_t size, std::string& buffer,
                   const std::function<void(std::string_view)>& write)
        : left_(body), size_(size), buffer_(buffer), write_(write) {}

    // Raises DamagedResourceError.
    void Run() {
        if (left_.size() < 6) throw DamagedResourceError("it is cut short");
        const auto cmf = static_cast<unsigned char>(left_[0]), flags = static_cast<unsigned char>(left_[1]);
        if ((cmf & 0x0F) != Z_DEFLATED || (cmf >> 4) > 7 || (cmf << 8 | flags) % 31 != 0 || (flags & 0x20))
            throw DamagedResourceError("its stream header is not valid");
        left_.remove_prefix(2);
        z_stream stream{};
        if (inflateBackInit(&stream, MAX_WBITS, window_) != Z_OK) throw DamagedResourceError("out of memory");
        const int result = inflateBack(&stream, &StreamInflater::In, this, &StreamInflater::Out, this);
        // What zlib was handed but did not use is the stream's tail: the check.
        std::string_view rest(reinterpret_cast<const char*>(stream.next_in), stream.avail_in);
        inflateBackEnd(&stream);
        if (failure_) std::rethrow_exception(failure_);
        if (result == Z_BUF_ERROR) throw DamagedResourceError("it is cut short");
        if (result != Z_STREAM_END)
            throw DamagedResourceError(stream.msg ? stream.msg : "its data are not valid");
        Flush();
        const std::string tail = std::string(rest) + std::string(left_);
        if (tail.size() < 4) throw DamagedResourceError("it is cut short");
        if (tail.size() > 4) throw DamagedResourceError("it holds more than its stream");
        const auto* p = reinterpret_cast<const unsigned char*>(tail.data());
        const uLong expected = uLong{p[0]} << 24 | uLong{p[1]} << 16 | uLong{p[2]} << 8 | p[3];
        if (expected != check_) throw DamagedResourceError("its content does not match its check");
        if (produced_ != size_) throw DamagedResourceError("it holds less than its size");
    }

  private:
    static unsigned In(void* self, z_const unsigned char** next) {
        auto& me = *static_cast<StreamInflater*>(self);
        // zlib counts in 32 bits: the input is handed over in pieces that fit.
        const size_t piece = std::min<size_t>(me.left_.size(), std::numeric_limits<unsigned>::max());
        *next = reinterpret_cast<z_const unsigned char*>(const_cast<char*>(me.left_.data()));
        me.left_.remove_prefix(piece);
        return static_cast<unsigned>(piece);
    }
    // Called from zlib's C code, which no exception may cross: a failure is kept and stops zlib.
    static int Out(void* self, unsigned char* data, unsigned size) {
        auto& me = *static_cast<StreamInflater*>(self);
        try {
            me.produced_ += size;
            if (me.produced_ > me.size_) throw DamagedResourceError("it holds more than its size");
            me.check_ = adler32(me.check_, data, size);
            while (size > 0) {
                const size_t piece = std::min<size_t>(size, me.buffer_.size() - me.filled_);
                std::memcpy(&me.buffer_[me.filled_], data, piece);
                me.filled_ += piece;
                data += piece;
                size -= static_cast<unsigned>(piece);
                if (me.filled_ == me.buffer_.size()) me.Flush();
            }
            return 0;
        } catch (...) {
            me.failure_ = std::current_exception();
            return 1;
        }
    }
    void Flush() {
        if (filled_ > 0) write_(std::string_view(buffer_.data(), filled_));
        filled_ = 0;
    }

    std::string_view left_;
    const std::uint64_t size_;
    std::string& buffer_;
    const std::function<void(std::string_view)>& write_;
    size_t filled_ = 0;
    std::uint64_t produced_ = 0;
    uLong check_ = adler32(0, nullptr, 0);
    std::exception_ptr failure_;
    unsigned char window_[1U << MAX_WBITS]; // zlib's own: it writes before it reads
};

} // namespace

std::string EncodePackHeader(const PackHeader& header) {
    std::string bytes(kMarker, sizeof kMarker);
    bytes += static_cast<char>(header.method);
    bytes.append(3, '\0');
    for (int i = 0; i < 8; ++i)
        bytes += static_cast<char>(header.originalSize >> (8 * i) & 0xFF);
    const std::uint32_t check = HeaderCheck(bytes.data());
    for (int i = 0; i < 4; ++i)
        bytes += static_cast<char>(check >> (8 * i) & 0xFF);
    return bytes;
}

std::optional<PackHeader> ReadPackHeader(std::string_view resource) {
    if (resource.size() < kPackHeaderSize || std::memcmp(resource.data(), kMarker, sizeof kMarker) != 0)
        return std::nullopt;
    const auto* p = reinterpret_cast<const unsigned char*>(resource.data());
    const std::uint32_t check = p[16] | p[17] << 8 | p[18] << 16 | std::uint32_t{p[19]} << 24;
    if (check != HeaderCheck(resource.data())) return std::nullopt;
    if (p[4] != static_cast<unsigned char>(PackMethod::Stored) &&
        p[4] != static_cast<unsigned char>(PackMethod::Deflate))
        return std::nullopt;
    return PackHeader{static_cast<PackMethod>(p[4]), Get64(p + 8)};
}

void UnpackResource(std::string_view resource, std::string& buffer,
                    const std::function<void(std::string_view)>& write) {
    const std::optional<PackHeader> header = ReadPackHeader(resource);
    if (!header) {
        write(resource);
        return;
    }
    const std::string_view body = resource.substr(kPackHeaderSize);
    if (header->method == PackMethod::Stored) {
        if (body.size() != header->originalSize) throw DamagedResourceError("its size is wrong");
        write(body);
        return;
    }
    std::make_unique<StreamInflater>(body, header->originalSize, buffer, write)->Run();
}

std::string UnpackedResource(std::string_view resource) {
    if (!ReadPackHeader(resource)) return std::string(resource);
    std::string whole;
    std::string buffer(kUnpackBufferSize, '\0');
    UnpackResource(resource, buffer, [&whole](std::string_view piece) { whole.append(piece); });
    return whole;
}

} // namespace core
