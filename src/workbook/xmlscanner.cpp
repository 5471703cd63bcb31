#include "workbook/xmlscanner.h"

#include "shared/textdecoding.h"
#include "workbook/xmlbytes.h"

#include <algorithm>
#include <atomic>
#include <cstring>

namespace {

// Longer incomplete tokens (tags, or the prolog with the root's start tag)
// are left to expat: the scanner reads an incomplete token again with each
// piece.
constexpr std::size_t kMaxCarry = 64 * 1024;
// How much of the next chunk is joined to a kept token at a time.
constexpr std::size_t kJoinBytes = 4096;
// More attributes in one tag are left to expat, which finds repeated ones
// without comparing every pair.
constexpr std::size_t kMaxAttributes = 64;
// Tags up to this long, with values in double quotes that hold no reference
// and no character beyond ASCII, are read by a shorter way.
constexpr std::size_t kPlainTag = 4096;

constexpr std::size_t kIncomplete = static_cast<std::size_t>(-1);

bool isNameStart(unsigned char ch) {
    return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || ch == '_' || ch == ':';
}

using xmlbytes::kPlainText;
using xmlbytes::kPlainValue;

bool isSpace(char ch) {
    return ch == ' ' || ch == '\t' || ch == '\n';
}

// The length of the UTF-8 character at p: 0 when it is malformed or not a
// character XML allows (surrogates, U+FFFE, U+FFFF), kIncomplete when n
// bytes do not hold it whole.
std::size_t utf8Length(const unsigned char* p, std::size_t n) {
    const std::size_t length = utf8SequenceLength(p, n);
    if (length == kUtf8Incomplete)
        return kIncomplete;
    if (length == 3 && p[0] == 0xEF && p[1] == 0xBF && (p[2] == 0xBE || p[2] == 0xBF))
        return 0;
    return length;
}

bool isXmlChar(unsigned long code) {
    return code == 0x9 || code == 0xA || code == 0xD || (code >= 0x20 && code <= 0xD7FF) ||
           (code >= 0xE000 && code <= 0xFFFD) || (code >= 0x10000 && code <= 0x10FFFF);
}

std::size_t encodeUtf8(unsigned long code, char* out) {
    if (code < 0x80) {
        out[0] = static_cast<char>(code);
        return 1;
    }
    if (code < 0x800) {
        out[0] = static_cast<char>(0xC0 | (code >> 6));
        out[1] = static_cast<char>(0x80 | (code & 0x3F));
        return 2;
    }
    if (code < 0x10000) {
        out[0] = static_cast<char>(0xE0 | (code >> 12));
        out[1] = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out[2] = static_cast<char>(0x80 | (code & 0x3F));
        return 3;
    }
    out[0] = static_cast<char>(0xF0 | (code >> 18));
    out[1] = static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out[2] = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out[3] = static_cast<char>(0x80 | (code & 0x3F));
    return 4;
}

// The end of the ASCII name at p[i], or i when none starts there.
[[gnu::always_inline]] inline std::size_t nameEnd(const char* p, std::size_t n, std::size_t i) {
    if (i >= n || !isNameStart(static_cast<unsigned char>(p[i])))
        return i;
    return xmlbytes::runEnd<xmlbytes::kNameChar>(p, i + 1, n);
}

} // namespace

XmlScanner::XmlScanner(XmlScanSink& sink, std::size_t maxToken)
    : m_sink(sink), m_maxToken(maxToken), m_maxCarry(std::min(maxToken, kMaxCarry)) {}

inline bool XmlScanner::resolveStart(std::size_t length) {
    // A tag longer than the bound is left to expat, which refuses it.
    if (length > m_maxToken)
        return false;
    const std::size_t count = m_offsets.size();
    if (m_attributes.size() < count + 1)
        m_attributes.resize(count + 1);
    const char* tag = m_tag.data();
    for (std::size_t k = 0; k < count; ++k)
        m_attributes[k] = tag + m_offsets[k];
    m_attributes[count] = nullptr;
    // A tag of the kept shape has attributes, its name before them.
    if (count > 0)
        m_nameLength = m_offsets.front() - 1;
    return m_bindings.open(std::string_view(tag, m_nameLength), m_attributes.data(),
                           static_cast<int>(count / 2), m_tagNamesId, m_open.size() + 1, &m_start);
}

XmlScanner::Status XmlScanner::feed(const char* data, std::size_t length, bool last) {
    Status status = Status::NeedMore;
    std::size_t pos = 0;
    // A token kept from the previous chunk: join the new bytes to it a piece
    // at a time until the scan gets past it.
    while (!m_carry.empty()) {
        const std::size_t take = std::min(length - pos, kJoinBytes);
        if (take == 0 && !last)
            return Status::NeedMore;
        const std::size_t kept = m_carry.size();
        if (pos == 0 && take > 0)
            m_carryBreaks.push_back(kept); // expat must see the chunks as they came
        m_carry.append(data + pos, take);
        pos += take;
        const std::size_t used =
            scan(m_carry.data(), m_carry.size(), last && pos == length, &status);
        if (status == Status::Handover) {
            m_handover = m_carry.substr(used);
            keepBreaksAfter(used);
            m_restData = data + pos;
            m_restLength = length - pos;
            return status;
        }
        if (status != Status::NeedMore)
            return status;
        if (used >= kept) {
            pos -= m_carry.size() - used;
            m_carry.clear();
            m_carryBreaks.clear();
            break;
        }
        m_carry.erase(0, used);
        keepBreaksAfter(used);
        if (m_carry.size() > m_maxCarry) {
            handOver(m_carry.data(), 0);
            m_handover = m_carry;
            m_restData = data + pos;
            m_restLength = length - pos;
            return Status::Handover;
        }
        if (pos == length)
            return Status::NeedMore;
    }
    const std::size_t used = scan(data + pos, length - pos, last, &status);
    if (status == Status::Handover) {
        m_handover.clear();
        m_carryBreaks.clear();
        m_restData = data + pos + used;
        m_restLength = length - pos - used;
        return status;
    }
    if (status == Status::NeedMore) {
        m_carry.assign(data + pos + used, length - pos - used);
        m_carryBreaks.clear();
        if (m_carry.size() > m_maxCarry) {
            handOver(m_carry.data(), 0);
            m_handover = m_carry;
            m_restData = data + length;
            m_restLength = 0;
            return Status::Handover;
        }
    }
    return status;
}

void XmlScanner::keepBreaksAfter(std::size_t used) {
    // Called after every chunk a long token is fed in: nothing to do when
    // the scan took nothing, and no copy when it did, or tiny chunks would
    // cost the square of the token's length.
    if (used == 0)
        return;
    const auto first = std::upper_bound(m_carryBreaks.begin(), m_carryBreaks.end(), used);
    m_carryBreaks.erase(m_carryBreaks.begin(), first);
    for (std::size_t& at : m_carryBreaks)
        at -= used;
}

std::size_t XmlScanner::scan(const char* p, std::size_t n, bool last, Status* status) {
    *status = Status::NeedMore;
    std::size_t i = 0;
    if (m_state == State::Prolog) {
        i = scanProlog(p, n, last, status);
        if (*status != Status::NeedMore || m_state == State::Prolog)
            return i;
    }
    Step step = Step::Go;
    while (step == Step::Go && i < n) {
        if (m_state == State::Epilog)
            step = scanEpilog(p, n, last, i);
        else if (p[i] == '<')
            step = scanTag(p, n, i);
        else if (p[i] == '&')
            step = scanReferenceAt(p, n, i);
        else
            step = scanText(p, n, last, i);
    }
    switch (step) {
    case Step::Go:
    case Step::Wait:
        break;
    case Step::HandOver:
        handOver(p, i);
        *status = Status::Handover;
        return i;
    case Step::Stop:
        *status = Status::Stopped;
        return i;
    case Step::Done:
        *status = Status::Done;
        return n;
    }
    if (last) {
        if (m_state == State::Epilog && i == n) {
            *status = Status::Done;
            return i;
        }
        handOver(p, i);
        *status = Status::Handover;
        return i;
    }
    advance(p, p + i);
    return i;
}

XmlScanner::Step XmlScanner::scanEpilog(const char* p, std::size_t n, bool last, std::size_t i) {
    // Kept whole: when anything but white space follows the root, expat
    // reads all that follows it.
    std::size_t j = i;
    while (j < n && isSpace(p[j]))
        ++j;
    if (j < n)
        return Step::HandOver;
    return last ? Step::Done : Step::Wait;
}

XmlScanner::Step XmlScanner::scanTag(const char* p, std::size_t n, std::size_t& i) {
    if (i + 1 >= n)
        return Step::Wait;
    const char next = p[i + 1];
    if (next == '!' || next == '?')
        return Step::HandOver; // comments, CDATA, processing instructions
    if (next == '/')
        return scanEndTagAt(p, n, i);
    if (m_quietLevel != 0) {
        // Within skipped content a start tag with a name alone, the most
        // common there, needs nothing but its name kept.
        const std::size_t nameLast = nameEnd(p + i, n - i, 1);
        if (nameLast > 1 && nameLast < n - i && p[i + nameLast] == '>') {
            const std::string_view name(p + i + 1, nameLast - 1);
            if (nameLast + 1 > m_maxToken ||
                !m_bindings.open(name, nullptr, 0, 0, m_open.size() + 1, &m_start))
                return Step::HandOver;
            const bool go = m_sink.quietStart();
            openElement(name, m_start.resolved);
            i += nameLast + 1;
            return go ? Step::Go : Step::Stop;
        }
    }
    std::size_t end = 0;
    bool empty = false;
    const Scan scanned = scanStartTag(p + i, n - i, &end, &empty);
    if (scanned == Scan::Incomplete)
        return Step::Wait;
    if (scanned == Scan::Refused || !resolveStart(end))
        return Step::HandOver;
    i += end;
    return deliverStart(empty) == Status::Stopped ? Step::Stop : Step::Go;
}

XmlScanner::Step XmlScanner::scanEndTagAt(const char* p, std::size_t n, std::size_t& i) {
    std::size_t end = 0;
    const Scan scanned = scanEndTag(p + i, n - i, &end);
    if (scanned == Scan::Incomplete)
        return Step::Wait;
    if (scanned == Scan::Refused || end > m_maxToken)
        return Step::HandOver;
    const std::size_t level = m_open.size();
    const std::size_t nameStart = level > 1 ? m_open[level - 2].nameEnd + 1 : 0;
    bool go = true;
    if (m_quietLevel != 0 && level > m_quietLevel) {
        m_sink.quietEnd();
    } else {
        if (level == m_quietLevel)
            m_quietLevel = 0;
        go = m_sink.end(m_open.back().resolved.of(m_names.data() + nameStart));
    }
    m_bindings.close(level);
    m_names.resize(nameStart);
    m_open.pop_back();
    if (m_open.empty())
        m_state = State::Epilog;
    i += end;
    return go ? Step::Go : Step::Stop;
}

XmlScanner::Step XmlScanner::scanReferenceAt(const char* p, std::size_t n, std::size_t& i) {
    char decoded[4];
    std::size_t end = 0;
    std::size_t decodedLength = 0;
    const Scan scanned = scanReference(p + i, n - i, &end, decoded, &decodedLength);
    if (scanned == Scan::Incomplete)
        return Step::Wait;
    if (scanned == Scan::Refused)
        return Step::HandOver;
    i += end;
    if (m_quietLevel == 0 && !m_sink.text(decoded, static_cast<int>(decodedLength)))
        return Step::Stop;
    return Step::Go;
}

XmlScanner::Step XmlScanner::scanText(const char* p, std::size_t n, bool last, std::size_t& i) {
    // Character data up to the next markup, or to what expat must see.
    const auto* bytes = reinterpret_cast<const unsigned char*>(p);
    std::size_t j = i;
    Step after = Step::Go;
    while (j < n) {
        j = xmlbytes::runEnd<kPlainText>(p, j, n);
        if (j >= n)
            break;
        const unsigned char byte = bytes[j];
        if (byte >= 0x20 && byte < 0x80) {
            if (byte == '<' || byte == '&')
                break;
            if (byte == ']') {
                if (j + 2 >= n) {
                    if (last) {
                        ++j; // the end follows: expat finds the document cut short
                        continue;
                    }
                    after = Step::Wait;
                    break;
                }
                if (p[j + 1] == ']' && p[j + 2] == '>') {
                    // Expat refuses the text from the line's start.
                    while (j > i && p[j - 1] != '\n')
                        --j;
                    after = Step::HandOver;
                    break;
                }
            }
            ++j;
        } else if (byte == '\n' || byte == '\t') {
            ++j;
        } else if (byte < 0x20) {
            after = Step::HandOver; // carriage returns and control characters
            break;
        } else {
            const std::size_t length = utf8Length(bytes + j, n - j);
            if (length == kIncomplete) {
                after = Step::Wait;
                break;
            }
            if (length == 0) {
                after = Step::HandOver;
                break;
            }
            j += length;
        }
    }
    if (j > i) {
        const bool go = m_quietLevel != 0 || m_sink.text(p + i, static_cast<int>(j - i));
        i = j;
        if (!go)
            return Step::Stop;
    }
    return after;
}

// Matches the XML declaration at the start of p, as expat would take it
// without a look: Complete with its length in *end, Incomplete when the
// bytes end within it, Refused when it is another one.
XmlScanner::Scan XmlScanner::matchDeclaration(const char* p, std::size_t n, std::size_t* end) {
    std::size_t i = 0;
    // Matches literal at i; false when it does not match, or the bytes end
    // first (then more is set).
    bool more = false;
    const auto match = [&](const char* literal) {
        const std::size_t length = std::strlen(literal);
        const std::size_t have = std::min(length, n - i);
        if (std::memcmp(p + i, literal, have) != 0)
            return false;
        if (have < length) {
            more = true;
            return false;
        }
        i += length;
        return true;
    };
    if (!match("<?xml version=\"1.0\""))
        return more ? Scan::Incomplete : Scan::Refused;
    if (!match(" encoding=\"UTF-8\"") && !more)
        match(" encoding=\"utf-8\"");
    if (more)
        return Scan::Incomplete;
    if (!match(" standalone=\"yes\"") && !more)
        match(" standalone=\"no\"");
    if (more)
        return Scan::Incomplete;
    if (!match("?>"))
        return more ? Scan::Incomplete : Scan::Refused;
    *end = i;
    return Scan::Complete;
}

std::size_t XmlScanner::scanProlog(const char* p, std::size_t n, bool last, Status* status) {
    // Everything before the root's start tag is one token: expat reads it
    // all when the scanner does not.
    const auto handover = [&]() {
        handOver(p, 0);
        *status = Status::Handover;
        return std::size_t{0};
    };
    const auto incomplete = [&]() { return last ? handover() : std::size_t{0}; };
    std::size_t i = 0;
    if (n >= 2 && p[0] == '<' && p[1] == '?') {
        const Scan declaration = matchDeclaration(p, n, &i);
        if (declaration == Scan::Incomplete)
            return incomplete();
        if (declaration == Scan::Refused)
            return handover();
    } else if (n < 2) {
        return incomplete();
    }
    while (i < n && isSpace(p[i]))
        ++i;
    if (i + 1 >= n)
        return incomplete();
    if (p[i] != '<' || !isNameStart(static_cast<unsigned char>(p[i + 1])))
        return handover();
    std::size_t end = 0;
    bool empty = false;
    const Scan scanned = scanStartTag(p + i, n - i, &end, &empty);
    if (scanned == Scan::Incomplete)
        return incomplete();
    if (scanned == Scan::Refused || !resolveStart(end))
        return handover();
    i += end;
    m_state = State::Content;
    if (deliverStart(empty) == Status::Stopped)
        *status = Status::Stopped;
    return i;
}

bool XmlScanner::scanPlainStartTag(const char* p, std::size_t n, std::size_t* end, bool* empty) {
    // The tag is copied into m_tag as it is read: its copy is never longer
    // than the bytes read, and never more than kPlainTag of them are.
    m_namesOfShape = false;
    if (m_tag.size() < kPlainTag)
        m_tag.resize(kPlainTag);
    n = std::min(n, kPlainTag);
    char* out = m_tag.data();
    m_offsets.clear();
    m_lengths.clear();
    std::size_t j = nameEnd(p, n, 1);
    if (j == 1 || j >= n)
        return false;
    std::memcpy(out, p + 1, j - 1);
    m_nameLength = j - 1;
    std::size_t at = j - 1;
    out[at++] = '\0';
    // An attribute's name or value, p[from, to), copied after the others.
    const auto keep = [&](std::size_t from, std::size_t to) {
        m_offsets.push_back(at);
        m_lengths.push_back(to - from);
        std::memcpy(out + at, p + from, to - from);
        at += to - from;
        out[at++] = '\0';
    };
    for (;;) {
        if (p[j] == '>') {
            *end = j + 1;
            *empty = false;
            return true;
        }
        if (p[j] == '/') {
            if (j + 1 >= n || p[j + 1] != '>')
                return false;
            *end = j + 2;
            *empty = true;
            return true;
        }
        // One space, a name, an equals sign, a value in double quotes.
        if (p[j] != ' ' || m_offsets.size() >= 2 * kMaxAttributes)
            return false;
        const std::size_t nameStart = j + 1;
        j = nameEnd(p, n, nameStart);
        if (j == nameStart || j + 1 >= n || p[j] != '=' || p[j + 1] != '"')
            return false;
        keep(nameStart, j);
        const std::size_t valueStart = j + 2;
        j = xmlbytes::runEnd<kPlainValue>(p, valueStart, n);
        if (j >= n || p[j] != '"')
            return false;
        keep(valueStart, j);
        if (++j >= n)
            return false;
    }
}

bool XmlScanner::matchShape(const char* p, std::size_t n, std::size_t* end, bool* empty) {
    const TagShape& shape = m_shape;
    n = std::min(n, kPlainTag);
    // Most tags of another shape differ within their name.
    const std::size_t head = shape.valueStarts.front();
    if (head > n || std::memcmp(p, shape.raw.data(), head) != 0)
        return false;
    // The names as the shape has them, then each value as it is read: never
    // longer than the bytes read. The names stay from the last tag of the
    // shape until another tag is read otherwise.
    if (!m_namesOfShape) {
        if (m_tag.size() < kPlainTag)
            m_tag.resize(kPlainTag);
        std::memcpy(m_tag.data(), shape.names.data(), shape.names.size());
        m_offsets = shape.offsets;
        m_lengths = shape.lengths;
        m_namesOfShape = true;
    }
    char* out = m_tag.data();
    std::size_t written = shape.names.size();
    const std::size_t values = shape.valueStarts.size();
    std::size_t at = head; // in p
    for (std::size_t k = 0;;) {
        const std::size_t valueEnd = xmlbytes::runEnd<kPlainValue>(p, at, n);
        if (valueEnd >= n || p[valueEnd] != '"')
            return false;
        const std::size_t length = valueEnd - at;
        m_offsets[2 * k + 1] = written;
        m_lengths[2 * k + 1] = length;
        std::memcpy(out + written, p + at, length);
        written += length;
        out[written++] = '\0';
        // What follows the value up to the next one, or to the tag's end.
        const std::size_t from = shape.valueEnds[k];
        const std::size_t to = ++k < values ? shape.valueStarts[k] : shape.raw.size();
        const std::size_t alike = to - from;
        if (valueEnd + alike > n || std::memcmp(p + valueEnd, shape.raw.data() + from, alike) != 0)
            return false;
        at = valueEnd + alike;
        if (k == values)
            break;
    }
    *end = at;
    *empty = shape.empty;
    return true;
}

void XmlScanner::keepShape(const char* p, std::size_t end, bool empty) {
    // The tag was read by the plain scan: '<', the name, then for each
    // attribute a space, its name, '="', its value and '"', then '>' or "/>".
    TagShape& shape = m_shape;
    shape.raw.assign(p, end);
    shape.empty = empty;
    const std::size_t attributes = m_offsets.size() / 2;
    const std::size_t nameLength = m_offsets[0] - 1;
    shape.valueStarts.clear();
    shape.valueEnds.clear();
    shape.offsets.assign(2 * attributes, 0);
    shape.lengths.assign(2 * attributes, 0);
    shape.names.assign(m_tag.data(), nameLength + 1);
    std::size_t at = 1 + nameLength;
    for (std::size_t k = 0; k < attributes; ++k) {
        shape.offsets[2 * k] = shape.names.size();
        shape.lengths[2 * k] = m_lengths[2 * k];
        shape.names.append(m_tag.data() + m_offsets[2 * k], m_lengths[2 * k] + 1);
        at += 1 + m_lengths[2 * k] + 2;
        shape.valueStarts.push_back(at);
        at += m_lengths[2 * k + 1];
        shape.valueEnds.push_back(at);
        ++at;
    }
    m_hasShape = true;
    // Numbered across every scanner, so that a handler that reads several
    // parts never takes one part's names for another's.
    static std::atomic<quint64> shapes{0};
    m_shapeId = ++shapes;
}

XmlScanner::Scan XmlScanner::scanStartTag(const char* p, std::size_t n, std::size_t* end,
                                          bool* empty) {
    if (m_hasShape && matchShape(p, n, end, empty)) {
        m_tagNamesId = m_shapeId;
        return Scan::Complete; // its names are the shape's: none repeated
    }
    m_tagNamesId = 0;
    if (!scanPlainStartTag(p, n, end, empty))
        return scanAnyStartTag(p, n, end, empty);
    if (repeatedAttribute())
        return Scan::Refused;
    if (!m_offsets.empty()) {
        keepShape(p, *end, *empty);
        m_tagNamesId = m_shapeId;
    }
    return Scan::Complete;
}

XmlScanner::Scan XmlScanner::scanAnyStartTag(const char* p, std::size_t n, std::size_t* end,
                                             bool* empty) {
    m_namesOfShape = false;
    m_tag.clear();
    m_offsets.clear();
    m_lengths.clear();
    std::size_t j = nameEnd(p, n, 1);
    if (j == 1)
        return n > 1 ? Scan::Refused : Scan::Incomplete;
    if (j >= n)
        return Scan::Incomplete;
    m_tag.append(p + 1, j - 1);
    m_tag.push_back('\0');
    m_nameLength = j - 1;
    for (;;) {
        const std::size_t beforeSpace = j;
        while (j < n && isSpace(p[j]))
            ++j;
        if (j >= n)
            return Scan::Incomplete;
        if (p[j] == '>') {
            *end = j + 1;
            *empty = false;
            break;
        }
        if (p[j] == '/') {
            if (j + 1 >= n)
                return Scan::Incomplete;
            if (p[j + 1] != '>')
                return Scan::Refused;
            *end = j + 2;
            *empty = true;
            break;
        }
        const std::size_t nameStart = j;
        j = nameEnd(p, n, j);
        if (nameStart == beforeSpace || j == nameStart || m_offsets.size() >= 2 * kMaxAttributes)
            return Scan::Refused;
        if (j >= n)
            return Scan::Incomplete;
        m_offsets.push_back(m_tag.size());
        m_lengths.push_back(j - nameStart);
        m_tag.append(p + nameStart, j - nameStart);
        m_tag.push_back('\0');
        while (j < n && isSpace(p[j]))
            ++j;
        if (j < n && p[j] != '=')
            return Scan::Refused;
        ++j;
        while (j < n && isSpace(p[j]))
            ++j;
        if (j >= n)
            return Scan::Incomplete;
        if (const Scan value = scanAttributeValue(p, n, j); value != Scan::Complete)
            return value;
        if (j >= n)
            return Scan::Incomplete;
    }
    return repeatedAttribute() ? Scan::Refused : Scan::Complete;
}

// Reads the quoted value at j (its opening quote) into m_tag, decoded and
// normalized, NUL-ended; j moves past its closing quote.
XmlScanner::Scan XmlScanner::scanAttributeValue(const char* p, std::size_t n, std::size_t& j) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(p);
    const char quote = p[j++];
    if (quote != '"' && quote != '\'')
        return Scan::Refused;
    m_offsets.push_back(m_tag.size());
    for (;;) {
        const std::size_t run = j;
        j = xmlbytes::runEnd<kPlainValue>(p, j, n);
        m_tag.append(p + run, j - run);
        if (j >= n)
            return Scan::Incomplete;
        const unsigned char byte = bytes[j];
        if (byte == '"' || byte == '\'') {
            m_tag.push_back(p[j++]);
            if (byte != static_cast<unsigned char>(quote))
                continue;
            m_tag.back() = '\0';
            m_lengths.push_back(m_tag.size() - 1 - m_offsets.back());
            break;
        }
        if (byte == '<')
            return Scan::Refused;
        if (byte == '&') {
            char decoded[4];
            std::size_t length = 0;
            std::size_t decodedLength = 0;
            const Scan scanned = scanReference(p + j, n - j, &length, decoded, &decodedLength);
            if (scanned != Scan::Complete)
                return scanned;
            m_tag.append(decoded, decodedLength);
            j += length;
        } else if (byte == '\t' || byte == '\n') {
            m_tag.push_back(' '); // attribute values are normalized
            ++j;
        } else if (byte < 0x20) {
            return Scan::Refused;
        } else {
            const std::size_t length = utf8Length(bytes + j, n - j);
            if (length == kIncomplete)
                return Scan::Incomplete;
            if (length == 0)
                return Scan::Refused;
            m_tag.append(p + j, length);
            j += length;
        }
    }
    return Scan::Complete;
}

bool XmlScanner::repeatedAttribute() const {
    // An error expat reports.
    for (std::size_t a = 0; a < m_offsets.size(); a += 2) {
        for (std::size_t b = a + 2; b < m_offsets.size(); b += 2) {
            if (m_lengths[a] == m_lengths[b] &&
                std::memcmp(m_tag.data() + m_offsets[a], m_tag.data() + m_offsets[b],
                            m_lengths[a]) == 0)
                return true;
        }
    }
    return false;
}

XmlScanner::Scan XmlScanner::scanEndTag(const char* p, std::size_t n, std::size_t* end) {
    const std::size_t level = m_open.size();
    const std::size_t openStart = level > 1 ? m_open[level - 2].nameEnd + 1 : 0;
    const std::size_t openLength = m_open.back().nameEnd - openStart;
    const char* open = m_names.data() + openStart;
    std::size_t j = 2 + openLength;
    // Mostly the open element's name, whole: no need to find where the name
    // ends first.
    if (j >= n || std::memcmp(p + 2, open, openLength) != 0 ||
        xmlbytes::isNameChar(static_cast<unsigned char>(p[j]))) {
        j = nameEnd(p, n, 2);
        if (j == 2)
            return n > 2 ? Scan::Refused : Scan::Incomplete;
        if (j >= n)
            return Scan::Incomplete;
        if (j - 2 != openLength || std::memcmp(p + 2, open, openLength) != 0)
            return Scan::Refused;
    }
    std::size_t k = j;
    while (k < n && isSpace(p[k]))
        ++k;
    if (k >= n)
        return Scan::Incomplete;
    if (p[k] != '>')
        return Scan::Refused;
    *end = k + 1;
    return Scan::Complete;
}

XmlScanner::Scan XmlScanner::scanReference(const char* p, std::size_t n, std::size_t* end,
                                           char* out, std::size_t* outLength) const {
    // The longest reference taken: "&#1114111;".
    constexpr std::size_t kLongest = 10;
    std::size_t k = 1;
    while (k < n && k <= kLongest && p[k] != ';')
        ++k;
    if (k > kLongest)
        return Scan::Refused;
    if (k >= n)
        return Scan::Incomplete;
    const std::string_view name(p + 1, k - 1);
    *end = k + 1;
    *outLength = 1;
    if (name == "amp") {
        out[0] = '&';
    } else if (name == "lt") {
        out[0] = '<';
    } else if (name == "gt") {
        out[0] = '>';
    } else if (name == "quot") {
        out[0] = '"';
    } else if (name == "apos") {
        out[0] = '\'';
    } else if (name.size() >= 2 && name[0] == '#') {
        const bool hex = name[1] == 'x';
        const std::string_view digits = name.substr(hex ? 2 : 1);
        if (digits.empty() || digits.size() > (hex ? 6u : 7u))
            return Scan::Refused;
        unsigned long code = 0;
        for (const char digit : digits) {
            unsigned long value = 0;
            if (digit >= '0' && digit <= '9')
                value = static_cast<unsigned long>(digit - '0');
            else if (hex && digit >= 'a' && digit <= 'f')
                value = static_cast<unsigned long>(digit - 'a' + 10);
            else if (hex && digit >= 'A' && digit <= 'F')
                value = static_cast<unsigned long>(digit - 'A' + 10);
            else
                return Scan::Refused;
            code = code * (hex ? 16 : 10) + value;
        }
        if (!isXmlChar(code))
            return Scan::Refused;
        *outLength = encodeUtf8(code, out);
    } else {
        return Scan::Refused;
    }
    return Scan::Complete;
}

XmlScanner::Status XmlScanner::deliverStart(bool empty) {
    if (m_quietLevel != 0) {
        const bool go = m_sink.quietStart();
        if (empty) {
            m_sink.quietEnd();
            m_bindings.close(m_open.size() + 1);
        } else {
            openElement(std::string_view(m_tag.data(), m_nameLength), m_start.resolved);
        }
        return go ? Status::NeedMore : Status::Stopped;
    }
    const XmlName name = m_start.resolved.of(m_tag.data());
    const bool attributes = !m_offsets.empty();
    const XmlScanSink::Next next = m_sink.start(
        name, attributes ? m_start.attributes : m_noAttributes, attributes ? m_start.namesId : 0);
    bool go = next != XmlScanSink::Next::Stop;
    if (empty) {
        go = m_sink.end(name) && go;
        m_bindings.close(m_open.size() + 1);
    } else {
        openElement(std::string_view(m_tag.data(), m_nameLength), m_start.resolved);
        if (next == XmlScanSink::Next::SkipContent)
            m_quietLevel = m_open.size();
    }
    if (empty && m_open.empty())
        m_state = State::Epilog;
    return go ? Status::NeedMore : Status::Stopped;
}

void XmlScanner::advance(const char* first, const char* last) {
    while (const void* found = std::memchr(first, '\n', static_cast<std::size_t>(last - first))) {
        ++m_line;
        m_column = 0;
        first = static_cast<const char*>(found) + 1;
    }
    m_column += xmlbytes::countCharacters(first, last);
}

void XmlScanner::handOver(const char* p, std::size_t at) {
    advance(p, p + at);
    m_prefix.clear();
    if (m_state == State::Content) {
        std::size_t start = 0;
        std::size_t level = 0;
        for (const OpenElement& open : m_open) {
            m_prefix += '<';
            m_prefix.append(m_names, start, open.nameEnd - start);
            m_bindings.appendDeclarations(++level, m_prefix);
            m_prefix += '>';
            start = open.nameEnd + 1;
        }
    } else if (m_state == State::Epilog) {
        m_prefix = "<x/>"; // leaves expat after the root, where only white space may follow
    }
}
