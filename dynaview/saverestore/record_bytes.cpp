#include "dynaview/saverestore/record_bytes.h"

#include <bit>
#include <stdexcept>

namespace dynaview {

void RecordWriter::put(std::size_t offset, std::uint64_t v, int size) {
    if (offset + static_cast<std::size_t>(size) > bytes_.size()) throw std::out_of_range("record field beyond its fixed part");
    for (int i = 0; i < size; ++i) bytes_[offset + static_cast<std::size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xffu);
}

void RecordWriter::f32(std::size_t offset, float v) { put(offset, std::bit_cast<std::uint32_t>(v), 4); }

void RecordWriter::f64(std::size_t offset, double v) { put(offset, std::bit_cast<std::uint64_t>(v), 8); }

void RecordWriter::text(std::size_t offset, std::size_t size, std::string_view v) {
    if (size == 0 || offset + size > bytes_.size()) throw std::out_of_range("record field beyond its fixed part");
    const std::string_view kept = v.substr(0, size - 1);
    // Up to the first NUL: a reader would stop there anyway.
    const std::string_view shown = kept.substr(0, kept.find('\0'));
    bytes_.replace(offset, shown.size(), shown);
    for (std::size_t i = shown.size(); i < size; ++i) bytes_[offset + i] = '\0';
}

void RecordWriter::append(std::int32_t v) {
    for (int i = 0; i < 4; ++i) bytes_.push_back(static_cast<char>((static_cast<std::uint32_t>(v) >> (8 * i)) & 0xffu));
}

std::uint64_t RecordReader::take(std::size_t offset, int size) const {
    if (offset + static_cast<std::size_t>(size) > bytes_.size()) throw std::out_of_range("record field beyond the record");
    std::uint64_t v = 0;
    for (int i = 0; i < size; ++i) v |= static_cast<std::uint64_t>(static_cast<unsigned char>(bytes_[offset + static_cast<std::size_t>(i)])) << (8 * i);
    return v;
}

float RecordReader::f32(std::size_t offset) const { return std::bit_cast<float>(static_cast<std::uint32_t>(take(offset, 4))); }

double RecordReader::f64(std::size_t offset) const { return std::bit_cast<double>(take(offset, 8)); }

bool RecordReader::text(std::size_t offset, std::size_t size, std::string& into) const {
    if (offset + size > bytes_.size()) throw std::out_of_range("record field beyond the record");
    const std::string_view field = bytes_.substr(offset, size);
    const std::size_t end = field.find('\0');
    if (end == std::string_view::npos) return false;
    into.assign(field.substr(0, end));
    return true;
}

}  // namespace dynaview
