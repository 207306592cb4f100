#pragma once

#include "xml/load.h"
#include "xml/node.h"

#include <filesystem>

namespace tressal::sts {

using xml::XmlDocPtr;
using xml::XmlNode;

// Owner of one STS export: its file name and, once read, its parsed document.
// The file is read on the first Root() after a name was set; views taken from
// the document stay valid until another name is set or the object goes away.
class StsDocument {
public:
    enum class State { NoFileName, Named, Loaded };

    // Same name as now: nothing. Another name: the held document is released
    // and the name stored; the file is not read yet.
    void SetFileName(const std::filesystem::path& fileName);
    const std::filesystem::path& FileName() const { return fileName_; }
    // Holds a document parsed from bytes read elsewhere; no file name.
    void Adopt(XmlDocPtr document);

    bool IsLoaded() const { return document_ != nullptr; }
    State GetState() const;

    // The STS_EDT root element, the file (or the STS entry of a zip archive)
    // being read first if need be. Raises LoadError when reading fails
    // (nothing is held then, so the next call tries again) and Error when the
    // root element has another name: "Interface non supportée", or a message
    // naming a student export (the document stays held).
    XmlNode RootElement();

private:
    std::filesystem::path fileName_;
    XmlDocPtr document_;
};

// A document object whose Root() gives the root node type of one variant.
template <class RootType> class TypedStsDocument : public StsDocument {
public:
    RootType Root() { return RootType(RootElement().Raw()); }
};

} // namespace tressal::sts
