#pragma once

#include "text/file_read.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct zip;
struct zip_file;

// Reading a zip archive held in memory, with bounds against hostile archives:
// the archive is refused when it holds too many entries, an encrypted entry
// or an entry named with an absolute path or "..", and a read stops as soon
// as the bytes inflated from the archive, counted as they come, pass the
// allowance. Every refusal is an Error whose French message says what to do.
namespace tressal::archive {

// True when the bytes start with the signature of a zip archive.
bool LooksLikeZip(std::string_view bytes);

struct ZipLimits {
    std::size_t maxEntries = 64;
    std::uint64_t maxInflatedBytes = kMaxInputBytes; // all reads together, as for a file
};

struct ZipEntry {
    std::uint64_t index = 0;
    std::string name; // UTF-8, as stored (folders included, "/" separated)
};

class ZipArchive;

// One entry being inflated; what it reads counts against the allowance of its
// archive, which must outlive it.
class ZipEntryStream {
public:
    // Up to size next bytes of the entry into buffer; 0 at its end.
    std::size_t Read(char* buffer, std::size_t size);

private:
    friend class ZipArchive;
    struct Closer {
        void operator()(zip_file* file) const;
    };
    ZipEntryStream(ZipArchive& archive, zip_file* file) : archive_(&archive), file_(file) {}

    ZipArchive* archive_;
    std::unique_ptr<zip_file, Closer> file_;
};

class ZipArchive {
public:
    explicit ZipArchive(std::string bytes, ZipLimits limits = {});
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    // The file entries (folders left out), in the archive's order.
    const std::vector<ZipEntry>& Entries() const { return entries_; }

    // The entry's bytes, at most maxBytes of them from its start.
    std::string Read(const ZipEntry& entry,
                     std::size_t maxBytes = std::numeric_limits<std::size_t>::max());

    // The entry, to read as it inflates.
    ZipEntryStream Open(const ZipEntry& entry);

private:
    friend class ZipEntryStream;

    struct Closer {
        void operator()(zip* archive) const;
    };

    std::string bytes_; // read by libzip for as long as the archive is open
    ZipLimits limits_;
    std::unique_ptr<zip, Closer> archive_;
    std::vector<ZipEntry> entries_;
    std::uint64_t inflated_ = 0;
};

// The last part of an entry name: "Eleves/ElevesSansAdresses.xml" gives
// "ElevesSansAdresses.xml".
std::string EntryFileName(const std::string& entryName);

// Entries that archivers add beside the real files: anything below
// "__MACOSX/" and names starting with ".".
bool IsArchiverLeftover(const std::string& entryName);

} // namespace tressal::archive
