#pragma once

#include "xml/node.h"

#include <cstddef>
#include <memory>
#include <vector>

namespace tressal::sts {

using xml::ElementRange;
using xml::ThrowIndexOutOfRange;
using xml::XmlNode;

// A container view: Count() and Item(i) over its child elements named
// ItemType::kElement, in document order; other children are not items. The
// items are found in one walk over the children, on first use, so a loop over
// Count() and Item(i) stays linear in the number of children. A range-for
// loop walks them without gathering them first.
template <class ItemType> class ListOf : public XmlNode {
public:
    using XmlNode::XmlNode;

    class Iterator {
    public:
        explicit Iterator(ElementRange::Iterator at) : at_(at) {}
        ItemType operator*() const { return ItemType((*at_).Raw()); }
        Iterator& operator++() {
            ++at_;
            return *this;
        }
        bool operator==(const Iterator& other) const { return at_ == other.at_; }

    private:
        ElementRange::Iterator at_;
    };
    Iterator begin() const { return Iterator(Children(ItemType::kElement).begin()); }
    Iterator end() const { return Iterator(ElementRange::Iterator()); }

    int Count() const { return static_cast<int>(Items().size()); }

    // Raises "Indice de liste hors limites (index)" outside 0 to Count() - 1.
    ItemType Item(int index) const {
        const std::vector<XmlNode>& items = Items();
        if (index < 0 || index >= static_cast<int>(items.size()))
            ThrowIndexOutOfRange(index);
        return ItemType(items[static_cast<std::size_t>(index)].Raw());
    }

private:
    const std::vector<XmlNode>& Items() const {
        if (!items_) {
            const ElementRange children = Children(ItemType::kElement);
            items_ = std::make_shared<const std::vector<XmlNode>>(children.begin(), children.end());
        }
        return *items_;
    }

    mutable std::shared_ptr<const std::vector<XmlNode>> items_;
};

} // namespace tressal::sts
