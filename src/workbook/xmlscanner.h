#pragma once

#include "workbook/xmlbindings.h"

#include <QtGlobal>

#include <string>
#include <string_view>
#include <vector>

// Receives the events of the scanner, as XmlHandler receives expat's; each
// returns false to stop the scan.
class XmlScanSink {
public:
    // After a start: stop, go on, or go on without the element's content,
    // of which nothing is of use. The scanner then checks that content as
    // strictly as ever, but tells of the elements within only that they open
    // (quietStart, false to stop) and close (quietEnd), and of no text; the
    // element's own end is given as ever.
    enum class Next { Stop, Go, SkipContent };

    virtual ~XmlScanSink() = default;
    // namesId: tags with the same number, not 0, have the same attribute
    // names, resolved alike, in the same order; 0 when not known.
    virtual Next start(const XmlName& name, const XmlAttributes& attributes, quint64 namesId) = 0;
    // Called after an empty element's start even when that start stopped the
    // scan, as expat does.
    virtual bool end(const XmlName& name) = 0;
    virtual bool text(const char* data, int length) = 0;
    virtual bool quietStart() { return true; }
    virtual void quietEnd() {}
};

// A fast scanner for the XML that spreadsheet programs write: UTF-8 without
// a byte order mark, an optional plain XML declaration, elements and
// attributes with ASCII names, the five predefined entities and character
// references. It checks everything it reads as strictly as expat in its
// namespace mode, and resolves names as it does (XmlBindings); whatever it
// does not take (comments, CDATA, processing instructions, a document type
// declaration, carriage returns, other encodings, malformed or truncated XML,
// names expat refuses, a token longer than maxToken bytes, an incomplete one
// kept over more than 64 KiB) it hands over to expat from the start of that
// token, with a prefix that opens the elements open there with the
// namespaces they declared, so that expat reads the rest of the document
// exactly as if it had read the whole: the same events, errors and messages.
class XmlScanner {
public:
    enum class Status {
        NeedMore, // all given bytes taken (or kept for the next chunk)
        Done,     // the document ended well-formed
        Stopped,  // the sink stopped the scan
        Handover, // expat must read on (handoverPrefix, handoverBytes, rest)
    };

    XmlScanner(XmlScanSink& sink, std::size_t maxToken);

    // Scans the next chunk of the document; last marks the end.
    Status feed(const char* data, std::size_t length, bool last);

    // After Handover: what expat is given first (opens the elements open at
    // the handover point; its events are not the document's)...
    const std::string& handoverPrefix() const { return m_prefix; }
    // ...then the bytes kept from earlier chunks, from the handover point...
    const std::string& handoverBytes() const { return m_handover; }
    // Where in them a chunk of the document began: expat is given them in
    // the same pieces, since where its chunks break may change its verdict.
    const std::vector<std::size_t>& handoverBreaks() const { return m_carryBreaks; }
    // ...then these bytes of the chunk given to feed().
    const char* restData() const { return m_restData; }
    std::size_t restLength() const { return m_restLength; }

    // The position of the handover point as expat counts it: line from 1,
    // column from 0 in characters.
    qint64 line() const { return m_line; }
    qint64 column() const { return m_column; }

private:
    enum class State { Prolog, Content, Epilog };
    enum class Scan { Complete, Incomplete, Refused };
    // What the scan does after a token: go on, wait for more bytes, hand
    // the document over to expat where the token begins, stop as the sink
    // asked, or end (the epilog of the last chunk).
    enum class Step { Go, Wait, HandOver, Stop, Done };

    std::size_t scan(const char* p, std::size_t n, bool last, Status* status);
    // The tokens of the content, each from i on; i moves past what is taken.
    Step scanEpilog(const char* p, std::size_t n, bool last, std::size_t i);
    Step scanTag(const char* p, std::size_t n, std::size_t& i);
    Step scanEndTagAt(const char* p, std::size_t n, std::size_t& i);
    Step scanReferenceAt(const char* p, std::size_t n, std::size_t& i);
    Step scanText(const char* p, std::size_t n, bool last, std::size_t& i);
    std::size_t scanProlog(const char* p, std::size_t n, bool last, Status* status);
    // Matches the XML declaration that begins p: its length in *end.
    static Scan matchDeclaration(const char* p, std::size_t n, std::size_t* end);
    Scan scanStartTag(const char* p, std::size_t n, std::size_t* end, bool* empty);
    bool scanPlainStartTag(const char* p, std::size_t n, std::size_t* end, bool* empty);
    bool matchShape(const char* p, std::size_t n, std::size_t* end, bool* empty);
    void keepShape(const char* p, std::size_t end, bool empty);
    Scan scanAnyStartTag(const char* p, std::size_t n, std::size_t* end, bool* empty);
    Scan scanAttributeValue(const char* p, std::size_t n, std::size_t& j);
    bool repeatedAttribute() const;
    Scan scanEndTag(const char* p, std::size_t n, std::size_t* end);
    Scan scanReference(const char* p, std::size_t n, std::size_t* end, char* out,
                       std::size_t* outLength) const;
    // Resolves the names of the tag just read, length bytes long; false
    // when it is expat's to read. Inline: called for every tag.
    [[gnu::always_inline]] bool resolveStart(std::size_t length);
    Status deliverStart(bool empty);
    // Puts the element on the stack of open elements.
    [[gnu::always_inline]] void openElement(std::string_view name,
                                            const XmlBindings::Resolved& resolved) {
        m_names.append(name);
        m_open.push_back({m_names.size(), resolved});
        m_names.push_back('\0');
    }
    void advance(const char* first, const char* last);
    void handOver(const char* p, std::size_t at);
    void keepBreaksAfter(std::size_t used);

    XmlScanSink& m_sink;
    const std::size_t m_maxToken; // longer tokens are left to expat, which refuses them
    const std::size_t m_maxCarry; // longer incomplete tokens are left to expat
    State m_state = State::Prolog;
    std::string m_carry;                    // an incomplete token kept from earlier chunks
    std::vector<std::size_t> m_carryBreaks; // where in it each later chunk begins

    std::string m_names; // the names of the open elements, each after the other
    struct OpenElement {
        std::size_t nameEnd;            // where its name ends in m_names
        XmlBindings::Resolved resolved; // its namespace
    };
    std::vector<OpenElement> m_open;
    XmlBindings m_bindings;     // the namespaces declared
    XmlBindings::Start m_start; // the current tag's names, resolved
    const XmlAttributes m_noAttributes;

    std::string m_tag;            // the current tag's name, attributes and values, each NUL-ended
    std::size_t m_nameLength = 0; // of its name
    std::vector<std::size_t> m_offsets; // where each attribute's name and value start
    std::vector<std::size_t> m_lengths; // the length of each
    std::vector<const char*> m_attributes;

    // The last plain start tag with attributes: a tag of the same shape, the
    // same bytes but for the attribute values, is taken by comparing it with
    // this one, its values read as the plain scan reads them. Spreadsheet
    // cells come in long runs of one shape.
    struct TagShape {
        std::string raw;                      // the tag, '<' to '>'
        std::vector<std::size_t> valueStarts; // where each value starts in raw
        std::vector<std::size_t> valueEnds;   // and ends, at its closing quote
        std::string names;                    // the element's and attributes' names, NUL-ended
        // m_offsets and m_lengths for a tag of the shape, the values' left at 0.
        std::vector<std::size_t> offsets;
        std::vector<std::size_t> lengths;
        bool empty = false;
    };
    TagShape m_shape;
    bool m_hasShape = false;
    bool m_namesOfShape = false;  // m_tag, m_offsets and m_lengths hold the shape's names
    quint64 m_shapeId = 0;        // the number of the shape kept, from 1
    quint64 m_tagNamesId = 0;     // the current tag's: its shape's, or 0
    std::size_t m_quietLevel = 0; // how many elements are open at a skipped one, 0 outside

    qint64 m_line = 1;
    qint64 m_column = 0;

    std::string m_prefix;
    std::string m_handover;
    const char* m_restData = nullptr;
    std::size_t m_restLength = 0;
};
