#pragma once
// Little-endian records for page files. The writer appends; the reader takes values off the
// front and, once it runs short, stays failed and gives zeros, so a parser reads a record
// straight through and checks ok() once.

#include <cstdint>
#include <string>
#include <string_view>

namespace plotbase {

class ByteWriter {
public:
    void u8(std::uint8_t v) { data_.push_back(static_cast<char>(v)); }
    void i16(std::int16_t v) { put(static_cast<std::uint16_t>(v), 2); }
    void u16(std::uint16_t v) { put(v, 2); }
    void i32(std::int32_t v) { put(static_cast<std::uint32_t>(v), 4); }
    void u32(std::uint32_t v) { put(v, 4); }
    void f64(double v);
    // A length (u32) and the bytes.
    void text(std::string_view v);
    void bytes(std::string_view v) { data_.append(v); }
    const std::string& data() const { return data_; }

private:
    void put(std::uint64_t v, int size);
    std::string data_;
};

class ByteReader {
public:
    explicit ByteReader(std::string_view data) : data_(data) {}
    std::uint8_t u8() { return static_cast<std::uint8_t>(take(1)); }
    std::int16_t i16() { return static_cast<std::int16_t>(static_cast<std::uint16_t>(take(2))); }
    std::uint16_t u16() { return static_cast<std::uint16_t>(take(2)); }
    std::int32_t i32() { return static_cast<std::int32_t>(static_cast<std::uint32_t>(take(4))); }
    std::uint32_t u32() { return static_cast<std::uint32_t>(take(4)); }
    double f64();
    // A length-prefixed text of at most maxLength bytes (longer fails the reader).
    std::string text(std::size_t maxLength = 65535);
    std::string_view bytes(std::size_t count);

    bool ok() const { return ok_; }
    void fail() { ok_ = false; }
    std::size_t remaining() const { return data_.size() - position_; }

private:
    std::uint64_t take(int size);
    std::string_view data_;
    std::size_t position_ = 0;
    bool ok_ = true;
};

}  // namespace plotbase
