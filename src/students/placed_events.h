#pragma once

#include "xml/stream.h"

#include <string>
#include <string_view>
#include <vector>

namespace tressal::students {

// A reader of an export's XML that knows where it stands by the kind of each
// open element (its Place, an enum with the values Ignored and Value), and
// keeps the text of the elements whose value it wants.
template <typename Place> class PlacedEvents : public xml::XmlEvents {
public:
    bool StartElement(std::string_view name, const xml::XmlAttributes& attributes) final {
        target_ = nullptr;
        places_.push_back(places_.empty() ? EnterRoot(name)
                                          : Enter(places_.back(), name, attributes));
        return true;
    }

    void EndElement() final {
        Leave(places_.back());
        places_.pop_back();
        target_ = nullptr;
    }

    void Text(std::string_view utf8) final {
        if (target_ != nullptr)
            target_->append(utf8);
    }

protected:
    // The place of the root element; throws Error when it is another export.
    virtual Place EnterRoot(std::string_view name) = 0;
    // The place of a child element; Keep points the text at a value.
    virtual Place Enter(Place parent, std::string_view name,
                        const xml::XmlAttributes& attributes) = 0;
    // An element of that place closes.
    virtual void Leave(Place place) = 0;

    // The first occurrence of a value counts: a repeated element adds nothing.
    Place Keep(std::string& text) {
        target_ = text.empty() ? &text : nullptr;
        return Place::Value;
    }

private:
    std::vector<Place> places_;
    std::string* target_ = nullptr;
};

} // namespace tressal::students
