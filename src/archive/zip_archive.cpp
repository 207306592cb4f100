#include "archive/zip_archive.h"

#include "text/error.h"

#include <zip.h>

#include <algorithm>
#include <memory>

namespace tressal::archive {
namespace {

constexpr std::size_t kChunk = 64 * 1024;
// A first reservation for an entry read whole; its declared size is only a hint.
constexpr std::uint64_t kMaxReservation = std::uint64_t{64} << 20;

const char* const kDamaged = "L'archive zip est incomplète ou abîmée (téléchargement "
                             "interrompu ?) : téléchargez-la de nouveau.";
const char* const kEncrypted = "L'archive zip est protégée par un mot de passe : "
                               "décompressez-la vous-même, puis choisissez le fichier XML "
                               "qu'elle contient.";

std::string MegabytesText(std::uint64_t bytes) {
    return std::to_string(bytes >> 20) + " Mo";
}

Error TooLarge(const ZipLimits& limits) {
    return Error("L'archive zip se décompresse en plus de " +
                 MegabytesText(limits.maxInflatedBytes) +
                 " : ce n'est pas un export SIECLE ou STS. Choisissez l'archive téléchargée "
                 "depuis SIECLE ou STS.");
}

Error ErrorOfCode(int code) {
    switch (code) {
    case ZIP_ER_MEMORY:
        return Error("Mémoire insuffisante pour lire l'archive zip : fermez d'autres "
                     "programmes puis recommencez.");
    case ZIP_ER_COMPNOTSUPP:
        return Error("L'archive zip utilise une méthode de compression que Tressal ne sait pas "
                     "lire : décompressez-la vous-même, puis choisissez le fichier XML qu'elle "
                     "contient.");
    case ZIP_ER_ENCRNOTSUPP:
    case ZIP_ER_NOPASSWD:
    case ZIP_ER_WRONGPASSWD:
        return Error(kEncrypted);
    default:
        return Error(kDamaged);
    }
}

bool IsUnsafeName(const std::string& name) {
    if (name.empty() || name.front() == '/' || name.front() == '\\' ||
        (name.size() >= 2 && name[1] == ':'))
        return true;
    std::size_t start = 0;
    while (start <= name.size()) {
        const std::size_t end = std::min(name.find_first_of("/\\", start), name.size());
        if (name.compare(start, end - start, "..") == 0)
            return true;
        start = end + 1;
    }
    return false;
}

} // namespace

bool LooksLikeZip(std::string_view bytes) {
    // An empty archive is its end record alone.
    return bytes.starts_with(std::string_view("PK\x03\x04", 4)) ||
           bytes.starts_with(std::string_view("PK\x05\x06", 4));
}

std::string EntryFileName(const std::string& entryName) {
    const auto slash = entryName.find_last_of("/\\");
    return slash == std::string::npos ? entryName : entryName.substr(slash + 1);
}

bool IsArchiverLeftover(const std::string& entryName) {
    return entryName.starts_with("__MACOSX/") || entryName.starts_with(".") ||
           EntryFileName(entryName).starts_with(".");
}

ZipArchive::ZipArchive(std::string bytes, ZipLimits limits)
    : bytes_(std::move(bytes)), limits_(limits) {
    if (bytes_.size() > limits_.maxInflatedBytes)
        throw TooLarge(limits_);
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes_.data(), bytes_.size(), 0, &error);
    if (source != nullptr) {
        archive_.reset(zip_open_from_source(source, ZIP_RDONLY, &error));
        if (archive_ == nullptr)
            zip_source_free(source);
    }
    const int code = zip_error_code_zip(&error);
    zip_error_fini(&error);
    if (archive_ == nullptr)
        throw ErrorOfCode(code);

    const zip_int64_t count = zip_get_num_entries(archive_.get(), 0);
    if (count < 0 || static_cast<std::uint64_t>(count) > limits_.maxEntries) {
        throw Error("L'archive zip contient plus de " + std::to_string(limits_.maxEntries) +
                    " fichiers : ce n'est pas un export SIECLE ou STS. Choisissez l'archive "
                    "téléchargée depuis SIECLE ou STS.");
    }
    for (zip_uint64_t index = 0; index < static_cast<zip_uint64_t>(count); ++index) {
        zip_stat_t stat;
        const char* name = zip_get_name(archive_.get(), index, ZIP_FL_ENC_GUESS);
        if (name == nullptr || zip_stat_index(archive_.get(), index, 0, &stat) != 0) {
            throw Error(kDamaged);
        }
        const std::string entryName(name);
        if (IsUnsafeName(entryName)) {
            throw Error("L'archive zip contient un fichier nommé « " + entryName +
                        " », qui sortirait de son dossier : elle est refusée. Choisissez "
                        "l'archive téléchargée depuis SIECLE ou STS.");
        }
        if ((stat.valid & ZIP_STAT_ENCRYPTION_METHOD) != 0 &&
            stat.encryption_method != ZIP_EM_NONE) {
            throw Error(kEncrypted);
        }
        if (!entryName.ends_with('/'))
            entries_.push_back(
                {index, entryName, (stat.valid & ZIP_STAT_SIZE) != 0 ? stat.size : 0});
    }
    furthest_.assign(static_cast<std::size_t>(count), 0);
}

void ZipArchive::Closer::operator()(zip* archive) const {
    zip_discard(archive);
}

ZipEntryStream ZipArchive::Open(const ZipEntry& entry) {
    const std::uint64_t others = inflated_ - furthest_[entry.index];
    if (entry.declaredSize > limits_.maxInflatedBytes - others)
        throw TooLarge(limits_);
    zip_file_t* file = zip_fopen_index(archive_.get(), entry.index, 0);
    if (file == nullptr)
        throw ErrorOfCode(zip_error_code_zip(zip_get_error(archive_.get())));
    return ZipEntryStream(*this, file, entry.index);
}

std::string ZipArchive::Read(const ZipEntry& entry, std::size_t maxBytes) {
    ZipEntryStream stream = Open(entry);
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(
        std::min<std::uint64_t>({entry.declaredSize, maxBytes, kMaxReservation})));
    char chunk[kChunk];
    while (bytes.size() < maxBytes) {
        const std::size_t got = stream.Read(chunk, std::min(kChunk, maxBytes - bytes.size()));
        if (got == 0)
            break;
        bytes.append(chunk, got);
    }
    return bytes;
}

void ZipEntryStream::Closer::operator()(zip_file* file) const {
    zip_fclose(file);
}

std::size_t ZipEntryStream::Read(char* buffer, std::size_t size) {
    const zip_int64_t got = zip_fread(file_.get(), buffer, size);
    if (got < 0)
        throw ErrorOfCode(zip_error_code_zip(zip_file_get_error(file_.get())));
    position_ += static_cast<std::uint64_t>(got);
    std::uint64_t& furthest = archive_->furthest_[index_];
    if (position_ > furthest) {
        archive_->inflated_ += position_ - furthest;
        furthest = position_;
    }
    if (archive_->inflated_ > archive_->limits_.maxInflatedBytes)
        throw TooLarge(archive_->limits_);
    return static_cast<std::size_t>(got);
}

} // namespace tressal::archive
