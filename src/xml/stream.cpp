#include "xml/stream.h"

#include "xml/errors.h"
#include "xml/safe_parse.h"
#include "xml/source_text.h"

#include <libxml/SAX2.h>

#include <libxml/parser.h>

#include <algorithm>
#include <cstring>
#include <exception>
#include <memory>
#include <optional>

namespace tressal::xml {
namespace {

// The parse of one stream: the safe parse's report (refusals, errors), then
// what the events need.
struct StreamState : ParseReport {
    XmlEvents* events = nullptr;
    xmlParserCtxtPtr ctxt = nullptr;
    XmlInput* input = nullptr;
    bool stoppedByEvents = false;
    std::exception_ptr failure;
};

// The safe parse keeps its report in the context; the stream's state is that report.
StreamState& StateOf(void* context) {
    return static_cast<StreamState&>(
        *static_cast<ParseReport*>(static_cast<xmlParserCtxtPtr>(context)->_private));
}

void Stop(StreamState& state) {
    xmlStopParser(state.ctxt);
}

template <typename Call> void Guarded(StreamState& state, Call call) {
    if (state.failure || state.stoppedByEvents)
        return;
    try {
        call();
    } catch (...) {
        state.failure = std::current_exception();
        Stop(state);
    }
}

void OnStartElement(void* context, const xmlChar* localName, const xmlChar* /*prefix*/,
                    const xmlChar* /*uri*/, int /*namespaceCount*/, const xmlChar** /*namespaces*/,
                    int attributeCount, int /*defaulted*/, const xmlChar** attributes) {
    auto& state = StateOf(context);
    Guarded(state, [&] {
        const XmlAttributes view(attributes, attributeCount);
        if (!state.events->StartElement(reinterpret_cast<const char*>(localName), view)) {
            state.stoppedByEvents = true;
            Stop(state);
        }
    });
}

void OnEndElement(void* context, const xmlChar*, const xmlChar*, const xmlChar*) {
    auto& state = StateOf(context);
    Guarded(state, [&] { state.events->EndElement(); });
}

void OnText(void* context, const xmlChar* text, int length) {
    auto& state = StateOf(context);
    Guarded(state, [&] {
        state.events->Text(std::string_view(reinterpret_cast<const char*>(text),
                                            static_cast<std::size_t>(length)));
    });
}

void OnCdata(void* context, const xmlChar* text, int length) {
    auto& state = StateOf(context);
    Guarded(state, [&] {
        state.events->Cdata(std::string_view(reinterpret_cast<const char*>(text),
                                             static_cast<std::size_t>(length)));
    });
}

void OnOtherNode(void* context) {
    auto& state = StateOf(context);
    Guarded(state, [&] { state.events->OtherNode(); });
}

void OnComment(void* context, const xmlChar*) {
    OnOtherNode(context);
}

void OnInstruction(void* context, const xmlChar*, const xmlChar*) {
    OnOtherNode(context);
}

int ReadInput(void* context, char* buffer, int length) {
    auto& state = *static_cast<StreamState*>(context);
    if (state.failure)
        return -1;
    try {
        return static_cast<int>(
            state.input->Read(buffer, static_cast<std::size_t>(std::max(length, 0))));
    } catch (...) {
        state.failure = std::current_exception();
        return -1;
    }
}

int CloseInput(void*) {
    return 0;
}

// Older libxml2 keeps the handler given to xmlCreateIOParserCtxt, newer ones
// copy it; the context must not free ours. A DOCTYPE makes libxml2 start a
// document of its own (to hold the declarations) even without a tree: it goes
// with the context.
struct ContextDeleter {
    const xmlSAXHandler* ours;
    void operator()(xmlParserCtxtPtr ctxt) const {
        if (ctxt->sax == ours)
            ctxt->sax = nullptr;
        xmlFreeDoc(ctxt->myDoc);
        ctxt->myDoc = nullptr;
        xmlFreeParserCtxt(ctxt);
    }
};

// Reads the document to its end or until the events stop it.
void Stream(const ByteSourceOpener& open, XmlEvents& events) {
    xmlInitParser();
    xmlSAXHandler sax;
    std::memset(&sax, 0, sizeof sax);
    sax.initialized = XML_SAX2_MAGIC;
    sax.startElementNs = &OnStartElement;
    sax.endElementNs = &OnEndElement;
    sax.characters = &OnText;
    sax.cdataBlock = &OnCdata;
    sax.comment = &OnComment;
    sax.processingInstruction = &OnInstruction;

    XmlInput input(open());
    StreamState state;
    state.events = &events;
    state.input = &input;
    const ErrorCapture capture(state);
    std::unique_ptr<xmlParserCtxt, ContextDeleter> ctxt(
        xmlCreateIOParserCtxt(&sax, nullptr, &ReadInput, &CloseInput, &state,
                              XML_CHAR_ENCODING_NONE),
        ContextDeleter{&sax});
    if (ctxt == nullptr)
        throw LoadError("Mémoire insuffisante", 0, "");
    state.ctxt = ctxt.get();
    ApplySafeSettings(ctxt.get(), state);
    xmlCtxtUseOptions(ctxt.get(), kSafeParseOptions | (input.Charset() ? XML_PARSE_IGNORE_ENC : 0));
    xmlParseDocument(ctxt.get());
    if (state.failure)
        std::rethrow_exception(state.failure);
    events.Encoding(input.Note());
    if (state.stoppedByEvents || (state.refusal.empty() && ctxt->wellFormed != 0))
        return;
    // Worded from this parse's own report: the document is not parsed again.
    const int lastLine = xmlSAX2GetLineNumber(ctxt.get());
    ctxt.reset();
    ThrowParseError(state, lastLine, open());
}

class RootNameEvents : public XmlEvents {
public:
    bool StartElement(std::string_view name, const XmlAttributes&) override {
        name_ = name;
        return false;
    }
    void EndElement() override {}
    void Text(std::string_view) override {}
    const std::string& Name() const { return name_; }

private:
    std::string name_;
};

} // namespace

std::string XmlAttributes::Value(std::string_view name) const {
    return ValueIfAny(name).value_or("");
}

std::optional<std::string> XmlAttributes::ValueIfAny(std::string_view name) const {
    for (int k = 0; k < count_; ++k) {
        const unsigned char* const* attribute = raw_ + 5 * k;
        if (name != reinterpret_cast<const char*>(attribute[0]))
            continue;
        // Without entity substitution libxml2 hands "&amp;" over as "&#38;",
        // whose first character stands for it.
        const std::string_view raw(reinterpret_cast<const char*>(attribute[3]),
                                   static_cast<std::size_t>(attribute[4] - attribute[3]));
        std::string value;
        value.reserve(raw.size());
        for (std::size_t at = 0; at < raw.size();) {
            const bool escaped = raw.compare(at, 5, "&#38;") == 0;
            value += raw[at];
            at += escaped ? 5 : 1;
        }
        return value;
    }
    return std::nullopt;
}

void StreamXml(const ByteSourceOpener& open, XmlEvents& events) {
    Stream(open, events);
}

void StreamXml(std::string_view bytes, XmlEvents& events) {
    Stream([bytes] { return MemorySource(bytes); }, events);
}

ByteSourceOpener EntrySource(archive::ZipArchive& zip, const archive::ZipEntry& entry) {
    return [&zip, &entry] {
        auto stream = std::make_shared<archive::ZipEntryStream>(zip.Open(entry));
        return ByteSource(
            [stream](char* buffer, std::size_t size) { return stream->Read(buffer, size); });
    };
}

std::string RootElementName(std::string_view bytes) {
    RootNameEvents events;
    try {
        StreamXml(bytes, events);
    } catch (const std::exception&) {
        return {};
    }
    return events.Name();
}

} // namespace tressal::xml
