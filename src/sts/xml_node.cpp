#include "sts/xml_node.h"

#include "sts/sts_errors.h"

#include <libxml/tree.h>

#include <cstdint>
#include <string>

namespace tressal::sts {

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

} // namespace

std::string XmlNode::Name() const {
    return node_ == nullptr ? std::string() : QualifiedName(node_);
}

bool XmlNode::HasName(std::string_view name) const {
    return node_ != nullptr && NameMatches(node_, name);
}

XmlNode XmlNode::Child(std::string_view name) const {
    if (node_ != nullptr) {
        for (xmlNode* child = node_->children; child != nullptr; child = child->next) {
            if (IsElementNamed(child, name)) {
                return XmlNode(child);
            }
        }
    }
    throw NotFoundError(std::string(name));
}

std::string XmlNode::Value() const {
    if (node_ == nullptr) {
        throw Error(kNotSingleText);
    }
    const xmlNode* only = node_->children;
    if (only == nullptr) {
        return {};
    }
    if (only->next != nullptr ||
        (only->type != XML_TEXT_NODE && only->type != XML_CDATA_SECTION_NODE)) {
        throw Error(kNotSingleText);
    }
    return std::string(View(only->content));
}

std::string XmlNode::Text(std::string_view name) const {
    return Child(name).Value();
}

std::string XmlNode::AttributeText(std::string_view name) const {
    if (node_ != nullptr && node_->type == XML_ELEMENT_NODE) {
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
    }
    throw NotFoundError(std::string(name));
}

std::int32_t XmlNode::Integer(std::string_view name) const {
    return ToInteger(Text(name));
}

std::int32_t XmlNode::AttributeInteger(std::string_view name) const {
    return ToInteger(AttributeText(name));
}

int XmlNode::Count(std::string_view itemName) const {
    int count = 0;
    if (node_ != nullptr) {
        for (const xmlNode* child = node_->children; child != nullptr; child = child->next) {
            if (IsElementNamed(child, itemName)) {
                ++count;
            }
        }
    }
    return count;
}

std::vector<XmlNode> XmlNode::Items(std::string_view itemName) const {
    std::vector<XmlNode> items;
    if (node_ != nullptr) {
        for (xmlNode* child = node_->children; child != nullptr; child = child->next) {
            if (IsElementNamed(child, itemName)) {
                items.emplace_back(child);
            }
        }
    }
    return items;
}

XmlNode XmlNode::Item(std::string_view itemName, int index) const {
    if (node_ != nullptr && index >= 0) {
        int seen = 0;
        for (xmlNode* child = node_->children; child != nullptr; child = child->next) {
            if (IsElementNamed(child, itemName) && seen++ == index) {
                return XmlNode(child);
            }
        }
    }
    throw Error("Indice de liste hors limites (" + std::to_string(index) + ")");
}

std::int32_t ToInteger(std::string_view text) {
    if (text.empty()) {
        ThrowConversion("Null");
    }
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
        ThrowConversion("String");
    }
    // Accumulate as a negative number so that INT32_MIN fits.
    constexpr std::int64_t kMin = INT32_MIN;
    std::int64_t value = 0;
    for (; pos < end; ++pos) {
        const char c = text[pos];
        if (c < '0' || c > '9') {
            ThrowConversion("String");
        }
        value = value * 10 - (c - '0');
        if (value < kMin) {
            ThrowConversion("String");
        }
    }
    if (!negative) {
        value = -value;
        if (value > INT32_MAX) {
            ThrowConversion("String");
        }
    }
    return static_cast<std::int32_t>(value);
}

} // namespace tressal::sts
