#pragma once

// A file device that fails its Nth write, rename or second name as a full
// disk does, and logs what it is asked to do.

#include "text/file_device.h"

#include <cerrno>
#include <string>
#include <vector>

namespace tressal::test {

class FailingDevice : public FileDevice {
public:
    enum class Step { Write, Rename, AddName };

    // at 0: nothing fails.
    explicit FailingDevice(Step failing = Step::Write, int at = 0) : failing_(failing), at_(at) {}

    int WriteNew(const std::filesystem::path& file, std::string_view bytes) override {
        log.push_back("write " + TargetName(file));
        if (failing_ == Step::Write && ++writes_ == at_)
            return ENOSPC;
        return FileDevice::WriteNew(file, bytes);
    }
    int Rename(const std::filesystem::path& from, const std::filesystem::path& to) override {
        log.push_back("rename " + TargetName(to));
        if (failing_ == Step::Rename && ++renames_ == at_)
            return ENOSPC;
        return FileDevice::Rename(from, to);
    }

    int AddName(const std::filesystem::path& file, const std::filesystem::path& name) override {
        if (failing_ == Step::AddName && ++names_ == at_)
            return ENOSPC;
        return FileDevice::AddName(file, name);
    }

    // "write eleves.txt" for the temporary file of eleves.txt,
    // "rename eleves.txt" for a rename onto it.
    std::vector<std::string> log;

private:
    static std::string TargetName(const std::filesystem::path& file) {
        const std::string name = file.filename().string();
        return name.substr(0, name.find(".tressal-tmp-"));
    }

    Step failing_;
    int at_;
    int writes_ = 0;
    int renames_ = 0;
    int names_ = 0;
};

} // namespace tressal::test
