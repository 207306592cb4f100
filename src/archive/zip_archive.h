#pragma once

#include "text/files.h"

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
// allowance. The allowance counts each byte of an entry once, however many
// times it is read (the first bytes to recognise it, then the whole), and an
// entry whose declared size would pass it is refused before it inflates.
// Every refusal is an Error whose French message says what to do.
namespace tressal::archive {

// True when the bytes start with the signature of a zip archive.
bool LooksLikeZip(std::string_view bytes);

struct ZipLimits {
    std::size_t maxEntries = 64;
    std::uint64_t maxInflatedBytes = kMaxInputBytes; // all reads together, as for a file
};

struct ZipEntry {
    std::uint64_t index = 0;
    std::string name;               // UTF-8, as stored (folders included, "/" separated)
    std::uint64_t declaredSize = 0; // inflated size the archive gives; only a claim
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
    ZipEntryStream(ZipArchive& archive, zip_file* file, std::uint64_t index)
        : archive_(&archive), file_(file), index_(index) {}

    ZipArchive* archive_;
    std::unique_ptr<zip_file, Closer> file_;
    std::uint64_t index_;
    std::uint64_t position_ = 0; // bytes of the entry read so far
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

    // The entry, to read as it inflates. Refused at once when its declared
    // size would pass the allowance.
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
    std::uint64_t inflated_ = 0;          // all entries, each counted to its furthest read
    std::vector<std::uint64_t> furthest_; // by entry index: bytes inflated of it at most
};

// The last part of an entry name: "Eleves/ElevesSansAdresses.xml" gives
// "ElevesSansAdresses.xml".
std::string EntryFileName(const std::string& entryName);

// Entries that archivers add beside the real files: anything below
// "__MACOSX/" and names starting with ".".
bool IsArchiverLeftover(const std::string& entryName);

} // namespace tressal::archive
