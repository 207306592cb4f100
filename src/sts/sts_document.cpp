#include "sts/sts_document.h"

#include "sts/sts_source.h"

#include <libxml/tree.h>

#include <string>
#include <string_view>

namespace tressal::sts {

using xml::XmlDocPtr;
using xml::XmlNode;

namespace {

constexpr std::string_view kRootName = "STS_EDT";

} // namespace

void StsDocument::SetFileName(const std::filesystem::path& fileName) {
    if (fileName.native() == fileName_.native()) {
        return;
    }
    document_.reset();
    fileName_ = fileName;
}

void StsDocument::Adopt(XmlDocPtr document) {
    fileName_.clear();
    document_ = std::move(document);
}

StsDocument::State StsDocument::GetState() const {
    if (document_ != nullptr) {
        return State::Loaded;
    }
    return fileName_.empty() ? State::NoFileName : State::Named;
}

XmlNode StsDocument::RootElement() {
    if (document_ == nullptr) {
        document_ = LoadStsExport(fileName_);
    }
    const XmlNode root(xmlDocGetRootElement(document_.get()));
    if (root.IsNull() || !root.HasName(kRootName)) {
        ThrowNotStsExport(root.IsNull() ? std::string()
                                        : reinterpret_cast<const char*>(root.Raw()->name));
    }
    return root;
}

} // namespace tressal::sts
