#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct _xmlNode;

namespace tressal::sts {

// Read-only view of one element of a parsed document. It holds the node
// pointer only: every read goes to the document, which must outlive the view.
//
// Names are compared exactly, letter case included; an element or attribute
// written with a namespace prefix also answers to its local name.
class XmlNode {
public:
    XmlNode() = default;
    explicit XmlNode(_xmlNode* node) : node_(node) {}

    _xmlNode* Raw() const { return node_; }
    bool IsNull() const { return node_ == nullptr; }

    // The element's name as written (with its prefix, if any).
    std::string Name() const;

    // True when the name, or its local part after a prefix, equals name.
    bool HasName(std::string_view name) const;

    // First child element of that name; NotFoundError when there is none.
    XmlNode Child(std::string_view name) const;

    // This element's text: "" when it has no content, the value of its only
    // child when that child is text or CDATA, an error otherwise.
    std::string Value() const;

    // Value() of the child element of that name.
    std::string Text(std::string_view name) const;

    // Value of the attribute of that name; NotFoundError when it is missing.
    std::string AttributeText(std::string_view name) const;

    // Text(name) and AttributeText(name) read as 32-bit integers.
    std::int32_t Integer(std::string_view name) const;
    std::int32_t AttributeInteger(std::string_view name) const;

    // Child elements of that name, in document order; other children (other
    // elements, comments, text) are not items.
    int Count(std::string_view itemName) const;
    XmlNode Item(std::string_view itemName, int index) const;

protected:
    // Every child element named itemName, in document order.
    std::vector<XmlNode> Items(std::string_view itemName) const;

    template <class T> T ChildAs(std::string_view name) const { return T(Child(name).Raw()); }
    template <class T> T ItemAs(std::string_view itemName, int index) const {
        return T(Item(itemName, index).Raw());
    }

private:
    _xmlNode* node_ = nullptr;
};

// Text to a 32-bit integer: an optional sign and decimal digits, with blanks
// (space, tab, CR, LF) allowed before and after. Empty text and anything else
// raise ConversionError, worded like the variant conversion errors.
std::int32_t ToInteger(std::string_view text);

} // namespace tressal::sts
