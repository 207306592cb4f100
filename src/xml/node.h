#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>

struct _xmlNode;

namespace tressal::xml {

class ElementRange;

// The tag of the lookups of the node types: person.DATE_NAISSANCE(kIfAny) is
// the value or nothing, where person.DATE_NAISSANCE() raises an error.
struct IfAny {};
inline constexpr IfAny kIfAny{};

// The argument of the node members: by default a missing element raises
// NotFoundError; kIfAny asks for an empty view instead.
class WhenMissing {
public:
    constexpr WhenMissing() = default;
    constexpr WhenMissing(IfAny) : emptyView_(true) {}
    constexpr bool GivesEmptyView() const { return emptyView_; }

private:
    bool emptyView_ = false;
};

// Read-only view of one element of a parsed document, or an empty view (as
// found by a lookup that found nothing). It holds the node pointer only:
// every read goes to the document, which must outlive the view.
//
// Names are compared exactly, letter case included; an element or attribute
// written with a namespace prefix also answers to its local name.
//
// Two kinds of reads: the throwing ones, for values that must be there (a
// missing element or attribute raises NotFoundError naming it), and the
// lookups, for values whose absence is an answer (they never throw).
class XmlNode {
public:
    XmlNode() = default;
    explicit XmlNode(_xmlNode* node) : node_(node) {}

    _xmlNode* Raw() const { return node_; }
    bool IsNull() const { return node_ == nullptr; }

    // True when the name, or its local part after a prefix, equals name.
    bool HasName(std::string_view name) const;

    // --- Throwing reads ---

    // First child element of that name; NotFoundError when there is none.
    XmlNode Child(std::string_view name) const;

    // This element's text: "" when it has no content, the value of its only
    // child when that child is text or CDATA, an error otherwise.
    std::string Value() const;

    // Value() of the child element of that name.
    std::string Text(std::string_view name) const;

    // Value of the attribute of that name; NotFoundError when it is missing.
    std::string AttributeText(std::string_view name) const;

    // Text(name) and AttributeText(name) read as 32-bit integers (ToInteger).
    std::int32_t Integer(std::string_view name) const;
    std::int32_t AttributeInteger(std::string_view name) const;

    // --- Lookups ---

    // First child element of that name; an empty view when there is none or
    // this view is empty.
    XmlNode Find(std::string_view name) const;

    // Value() when this view is an element holding no content or a single
    // text; nothing for an empty view or any other content.
    std::optional<std::string> ValueIfAny() const;

    // The attribute's value; nothing when it is missing or this view is empty.
    std::optional<std::string> AttributeIfAny(std::string_view name) const;

    // Text(name), Integer(name) and AttributeInteger(name), or nothing where
    // they would raise an error.
    std::optional<std::string> TextIfAny(std::string_view name) const;
    std::optional<std::int32_t> IntegerIfAny(std::string_view name) const;
    std::optional<std::int32_t> AttributeIntegerIfAny(std::string_view name) const;

    // Every child element of that name, in document order (none for an empty
    // view); other children (other elements, comments, text) are left out.
    ElementRange Children(std::string_view name) const;

protected:
    // The child element of that name, to be seen through the node type the
    // caller returns: Child(name), or Find(name) when missing gives an empty view.
    class NodeRef {
    public:
        explicit NodeRef(_xmlNode* node) : node_(node) {}
        template <class View> operator View() const { return View(node_); }

    private:
        _xmlNode* node_;
    };
    NodeRef Node(std::string_view name, WhenMissing missing) const {
        return NodeRef((missing.GivesEmptyView() ? Find(name) : Child(name)).Raw());
    }

private:
    _xmlNode* node_ = nullptr;
};

// The child elements of one name of an element, walked in document order.
class ElementRange {
public:
    class Iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = XmlNode;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = XmlNode;

        Iterator() = default;
        // The first element of that name from node on, along its siblings.
        Iterator(_xmlNode* node, std::string_view name);
        XmlNode operator*() const { return XmlNode(node_); }
        Iterator& operator++();
        Iterator operator++(int) {
            Iterator before = *this;
            ++*this;
            return before;
        }
        bool operator==(const Iterator& other) const { return node_ == other.node_; }

    private:
        _xmlNode* node_ = nullptr;
        std::string_view name_;
    };

    ElementRange(_xmlNode* firstChild, std::string_view name)
        : firstChild_(firstChild), name_(name) {}
    Iterator begin() const { return Iterator(firstChild_, name_); }
    Iterator end() const { return Iterator(); }

private:
    _xmlNode* firstChild_;
    std::string_view name_;
};

// Text to a 32-bit integer: an optional sign and decimal digits, with blanks
// (space, tab, CR, LF) allowed before and after. Empty text and anything else
// raise ConversionError, worded like the variant conversion errors.
std::int32_t ToInteger(std::string_view text);

// The same reading without an error: nothing when the text is no such number.
std::optional<std::int32_t> ParseInteger(std::string_view text);

// Raises the error of a list read outside its items.
[[noreturn]] void ThrowIndexOutOfRange(int index);

} // namespace tressal::xml
