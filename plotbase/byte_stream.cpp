#include "plotbase/byte_stream.h"

#include <cstring>

namespace plotbase {

void ByteWriter::put(std::uint64_t v, int size) {
    for (int i = 0; i < size; ++i) data_.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

void ByteWriter::f64(double v) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &v, sizeof bits);
    put(bits, 8);
}

void ByteWriter::text(std::string_view v) {
    u32(static_cast<std::uint32_t>(v.size()));
    data_.append(v);
}

std::uint64_t ByteReader::take(int size) {
    if (!ok_ || remaining() < static_cast<std::size_t>(size)) {
        ok_ = false;
        return 0;
    }
    std::uint64_t v = 0;
    for (int i = 0; i < size; ++i) v |= static_cast<std::uint64_t>(static_cast<unsigned char>(data_[position_ + static_cast<std::size_t>(i)])) << (8 * i);
    position_ += static_cast<std::size_t>(size);
    return v;
}

double ByteReader::f64() {
    const std::uint64_t bits = take(8);
    double v = 0;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

std::string ByteReader::text(std::size_t maxLength) {
    const std::uint32_t length = u32();
    if (length > maxLength) {
        ok_ = false;
        return {};
    }
    return std::string(bytes(length));
}

std::string_view ByteReader::bytes(std::size_t count) {
    if (!ok_ || remaining() < count) {
        ok_ = false;
        return {};
    }
    const std::string_view out = data_.substr(position_, count);
    position_ += count;
    return out;
}

}  // namespace plotbase
