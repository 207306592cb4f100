#pragma once

// Builds zip archives in memory for tests and benchmarks, including the
// faulty ones that a reader must refuse: sizes that lie, entries flagged as
// encrypted, names that leave their folder.

#include <zlib.h>

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace tressal::test {

struct ZipItem {
    std::string name;
    std::string data;
    bool deflate = true;
    bool encrypted = false;                    // only the flag: the data stays as it is
    std::optional<std::uint32_t> declaredSize; // the uncompressed size written in the headers
};

namespace zip_detail {

inline void Put16(std::string& out, unsigned value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

inline void Put32(std::string& out, std::uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

inline std::string RawDeflate(const std::string& data) {
    z_stream stream{};
    if (deflateInit2(&stream, 6, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        throw std::runtime_error("deflateInit2");
    std::string out(deflateBound(&stream, data.size()), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    stream.avail_in = static_cast<uInt>(data.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    const int status = deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    if (status != Z_STREAM_END)
        throw std::runtime_error("deflate");
    return out;
}

// The fields that the local header and the central directory share.
inline void PutCommon(std::string& out, const ZipItem& item, std::uint32_t crc,
                      std::size_t stored) {
    Put16(out, (item.encrypted ? 0x0001 : 0) | 0x0800); // flags: encrypted, UTF-8 name
    Put16(out, item.deflate ? 8 : 0);
    Put16(out, 0);      // time
    Put16(out, 0x5B2F); // date: 2025-09-15
    Put32(out, crc);
    Put32(out, static_cast<std::uint32_t>(stored));
    Put32(out, item.declaredSize.value_or(static_cast<std::uint32_t>(item.data.size())));
    Put16(out, static_cast<unsigned>(item.name.size()));
    Put16(out, 0); // extra field
}

} // namespace zip_detail

inline std::string MakeZip(const std::vector<ZipItem>& items) {
    using namespace zip_detail;
    std::string out;
    std::string directory;
    for (const auto& item : items) {
        const std::string stored = item.deflate ? RawDeflate(item.data) : item.data;
        const auto crc =
            static_cast<std::uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(item.data.data()),
                                             static_cast<uInt>(item.data.size())));
        const auto offset = static_cast<std::uint32_t>(out.size());
        Put32(out, 0x04034B50);
        Put16(out, 20);
        PutCommon(out, item, crc, stored.size());
        out += item.name + stored;

        Put32(directory, 0x02014B50);
        Put16(directory, 20);
        Put16(directory, 20);
        PutCommon(directory, item, crc, stored.size());
        Put16(directory, 0); // comment
        Put16(directory, 0); // disk
        Put16(directory, 0); // internal attributes
        Put32(directory, 0); // external attributes
        Put32(directory, offset);
        directory += item.name;
    }
    const auto directoryOffset = static_cast<std::uint32_t>(out.size());
    out += directory;
    Put32(out, 0x06054B50);
    Put16(out, 0);
    Put16(out, 0);
    Put16(out, static_cast<unsigned>(items.size()));
    Put16(out, static_cast<unsigned>(items.size()));
    Put32(out, static_cast<std::uint32_t>(directory.size()));
    Put32(out, directoryOffset);
    Put16(out, 0);
    return out;
}

} // namespace tressal::test
