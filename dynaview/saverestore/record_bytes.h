#pragma once
// Little-endian fields of a saved object's record. A record is a fixed part laid out by
// offset (bytes nobody fills stay zero) followed by arrays of 32-bit values; the writer
// builds one, the reader reads one that is known to be long enough.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace dynaview {

class RecordWriter {
public:
    // A fixed part of `length` zero bytes.
    explicit RecordWriter(std::size_t length) : bytes_(length, '\0') {}

    void i16(std::size_t offset, std::int16_t v) { put(offset, static_cast<std::uint16_t>(v), 2); }
    void i32(std::size_t offset, std::int32_t v) { put(offset, static_cast<std::uint32_t>(v), 4); }
    void f32(std::size_t offset, float v);
    void f64(std::size_t offset, double v);
    // A text of at most size - 1 bytes and its terminating NUL (the rest stays zero).
    void text(std::size_t offset, std::size_t size, std::string_view v);
    // Appends one value of an array after the fixed part.
    void append(std::int32_t v);

    const std::string& bytes() const { return bytes_; }

private:
    void put(std::size_t offset, std::uint64_t v, int size);
    std::string bytes_;
};

class RecordReader {
public:
    // The caller has checked that every offset read lies inside `bytes`.
    explicit RecordReader(std::string_view bytes) : bytes_(bytes) {}

    std::int16_t i16(std::size_t offset) const { return static_cast<std::int16_t>(static_cast<std::uint16_t>(take(offset, 2))); }
    std::uint16_t u16(std::size_t offset) const { return static_cast<std::uint16_t>(take(offset, 2)); }
    std::int32_t i32(std::size_t offset) const { return static_cast<std::int32_t>(static_cast<std::uint32_t>(take(offset, 4))); }
    float f32(std::size_t offset) const;
    double f64(std::size_t offset) const;
    // The NUL-terminated text in a field of `size` bytes; false when the field holds no NUL.
    bool text(std::size_t offset, std::size_t size, std::string& into) const;

private:
    std::uint64_t take(std::size_t offset, int size) const;
    std::string_view bytes_;
};

}  // namespace dynaview
