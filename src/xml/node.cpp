#include "xml/node.h"

#include "xml/errors.h"

#include <libxml/tree.h>

#include <cstdint>
#include <optional>
#include <string>

namespace tressal::xml {

namespace {

const char* const kNotSingleText = "L'élément ne contient pas de noeud texte unique";

std::string_view View(const xmlChar* text) {
    return text == nullptr ? std::string_view()
                           : std::string_view(reinterpret_cast<const char*>(text));
}

// Elements and attributes both carry a name and an optional namespace.
template <class Node> std::string QualifiedName(const Node* node) {
    std::string name;
    if (node->ns != nullptr && node->ns->prefix != nullptr) {
        name = View(node->ns->prefix);
        name += ':';
    }
    name += View(node->name);
    return name;
}

// True when the node's name, or the part after its prefix, equals name. A
// prefix that was never declared stays inside node->name, hence the split.
template <class Node> bool NameMatches(const Node* node, std::string_view name) {
    const std::string_view own = View(node->name);
    if (own == name) {
        return true;
    }
    const std::size_t colon = own.rfind(':');
    if (colon != std::string_view::npos && own.substr(colon + 1) == name) {
        return true;
    }
    return node->ns != nullptr && node->ns->prefix != nullptr && QualifiedName(node) == name;
}

bool IsElementNamed(const xmlNode* node, std::string_view name) {
    return node->type == XML_ELEMENT_NODE && NameMatches(node, name);
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

[[noreturn]] void ThrowConversion(const char* from) {
    throw ConversionError(std::string("Impossible de convertir le variant de type (") + from +
                          ") en type (Integer)");
}

// The first element named name from node on, along its siblings.
xmlNode* NextElementNamed(xmlNode* node, std::string_view name) {
    while (node != nullptr && !IsElementNamed(node, name)) {
        node = node->next;
    }
    return node;
}

} // namespace

bool XmlNode::HasName(std::string_view name) const {
    return node_ != nullptr && NameMatches(node_, name);
}

XmlNode XmlNode::Child(std::string_view name) const {
    const XmlNode child = Find(name);
    if (child.IsNull()) {
        throw NotFoundError(std::string(name));
    }
    return child;
}

std::string XmlNode::Value() const {
    std::optional<std::string> value = ValueIfAny();
    if (!value) {
        throw Error(kNotSingleText);
    }
    return std::move(*value);
}

std::string XmlNode::Text(std::string_view name) const {
    return Child(name).Value();
}

std::string XmlNode::AttributeText(std::string_view name) const {
    std::optional<std::string> value = AttributeIfAny(name);
    if (!value) {
        throw NotFoundError(std::string(name));
    }
    return std::move(*value);
}

std::int32_t XmlNode::Integer(std::string_view name) const {
    return ToInteger(Text(name));
}

std::int32_t XmlNode::AttributeInteger(std::string_view name) const {
    return ToInteger(AttributeText(name));
}

XmlNode XmlNode::Find(std::string_view name) const {
    return XmlNode(node_ == nullptr ? nullptr : NextElementNamed(node_->children, name));
}

std::optional<std::string> XmlNode::ValueIfAny() const {
    if (node_ == nullptr) {
        return std::nullopt;
    }
    const xmlNode* only = node_->children;
    if (only == nullptr) {
        return std::string();
    }
    if (only->next != nullptr ||
        (only->type != XML_TEXT_NODE && only->type != XML_CDATA_SECTION_NODE)) {
        return std::nullopt;
    }
    return std::string(View(only->content));
}

std::optional<std::string> XmlNode::AttributeIfAny(std::string_view name) const {
    if (node_ == nullptr || node_->type != XML_ELEMENT_NODE) {
        return std::nullopt;
    }
    for (const xmlAttr* attr = node_->properties; attr != nullptr; attr = attr->next) {
        if (!NameMatches(attr, name)) {
            continue;
        }
        // No entity is ever declared, so the value is plain text nodes.
        std::string value;
        for (const xmlNode* part = attr->children; part != nullptr; part = part->next) {
            if (part->type == XML_TEXT_NODE) {
                value += View(part->content);
            }
        }
        return value;
    }
    return std::nullopt;
}

std::optional<std::string> XmlNode::TextIfAny(std::string_view name) const {
    return Find(name).ValueIfAny();
}

std::optional<std::int32_t> XmlNode::IntegerIfAny(std::string_view name) const {
    const std::optional<std::string> text = TextIfAny(name);
    return text ? ParseInteger(*text) : std::nullopt;
}

std::optional<std::int32_t> XmlNode::AttributeIntegerIfAny(std::string_view name) const {
    const std::optional<std::string> text = AttributeIfAny(name);
    return text ? ParseInteger(*text) : std::nullopt;
}

ElementRange XmlNode::Children(std::string_view name) const {
    return ElementRange(node_ == nullptr ? nullptr : node_->children, name);
}

ElementRange::Iterator::Iterator(_xmlNode* node, std::string_view name)
    : node_(NextElementNamed(node, name)), name_(name) {}

ElementRange::Iterator& ElementRange::Iterator::operator++() {
    node_ = NextElementNamed(node_->next, name_);
    return *this;
}

void ThrowIndexOutOfRange(int index) {
    throw Error("Indice de liste hors limites (" + std::to_string(index) + ")");
}

std::int32_t ToInteger(std::string_view text) {
    if (text.empty()) {
        ThrowConversion("Null");
    }
    const std::optional<std::int32_t> value = ParseInteger(text);
    if (!value) {
        ThrowConversion("String");
    }
    return *value;
}

std::optional<std::int32_t> ParseInteger(std::string_view text) {
    std::size_t pos = 0;
    std::size_t end = text.size();
    while (pos < end && IsBlank(text[pos])) {
        ++pos;
    }
    while (end > pos && IsBlank(text[end - 1])) {
        --end;
    }
    bool negative = false;
    if (pos < end && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    if (pos == end) {
        return std::nullopt;
    }
    // Accumulate as a negative number so that INT32_MIN fits.
    constexpr std::int64_t kMin = INT32_MIN;
    std::int64_t value = 0;
    for (; pos < end; ++pos) {
        const char c = text[pos];
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 - (c - '0');
        if (value < kMin) {
            return std::nullopt;
        }
    }
    if (!negative) {
        value = -value;
        if (value > INT32_MAX) {
            return std::nullopt;
        }
    }
    return static_cast<std::int32_t>(value);
}

} // namespace tressal::xml
