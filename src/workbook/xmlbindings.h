#pragma once

#include "workbook/xmlnames.h"

#include <deque>
#include <string>
#include <string_view>
#include <vector>

// The namespace bindings in scope where the XML scanner reads, and the names
// of its tags resolved through them as expat's namespace mode resolves them.
// Whatever expat would refuse for its names (a prefix not bound, a reserved
// prefix or URI, a prefix declared with an empty URI, a name with a colon out
// of place, two attributes of one expanded name) is not taken: the scanner
// hands that tag to expat, which reports it.
//
// Workbook parts declare their namespaces on the root: the names of a run of
// tags of one shape are resolved once, and a name alone is looked up in a
// one-entry memo, both valid until a binding comes or goes.
class XmlBindings {
public:
    // The namespace of a name and where its local part starts; valid while
    // the element that bound it is open.
    struct Resolved {
        std::string_view uri; // empty for none
        std::uint32_t localAt = 0;
        XmlNs ns = XmlNs::None;
        // The name as a parse delivers it, the qualified name given.
        XmlName of(const char* name) const { return {ns, uri, name + localAt}; }
    };
    // A start tag resolved. namesId: tags with the same number, not 0, have
    // the same attribute names, resolved alike, in the same order.
    struct Start {
        Resolved resolved;
        XmlAttributes attributes; // with attributes only
        quint64 namesId = 0;
    };

    XmlBindings();

    // Opens an element at level (from 1) with the qualified name and the
    // attributes (name, value, ... count pairs), its own declarations in
    // scope from it on. shapeId: tags with the same number, not 0, have the
    // same names in the same order. The start stays valid until the next
    // call. False, with nothing changed, when expat's namespace mode refuses
    // the tag. Inline: it is called for every tag, and mostly takes one of
    // the first two ways.
    bool open(std::string_view name, const char* const* pairs, int count, quint64 shapeId,
              std::size_t level, Start* start) {
        if (count == 0) {
            // Mostly the name alone resolved last (<v>, <text:p>).
            if (m_nameGeneration != m_generation || !sameName(name))
                return openName(name, start);
            start->resolved = m_name;
            return true;
        }
        if (shapeId == 0 || shapeId != m_shapeId || m_generation != m_shapeGeneration)
            return openWithAttributes(name, pairs, count, shapeId, level, start);
        // A tag of the shape resolved last, the bindings as they were.
        start->resolved = m_shapeElement;
        start->attributes =
            XmlAttributes(pairs, m_localAt.data(), m_ns.data(), m_uris.data(), count);
        start->namesId = m_shapeNamesId;
        return true;
    }
    // Closes the element open at level: its declarations go out of scope.
    void close(std::size_t level) {
        if (level == m_innermostLevel)
            closeBindings(level);
    }

    // Appends the declarations that the element open at level (from 1)
    // made, as a tag writes them (` xmlns:p="uri"`).
    void appendDeclarations(std::size_t level, std::string& out) const;

private:
    struct Binding {
        std::string prefix; // empty: the default namespace
        std::string uri;    // empty: the default namespace undeclared
        XmlNs ns;
        std::size_t level; // of the element that declared it; 0 for xml
    };
    static constexpr int kNone = -1;

    bool openName(std::string_view name, Start* start);
    bool openWithAttributes(std::string_view name, const char* const* pairs, int count,
                            quint64 shapeId, std::size_t level, Start* start);
    // Declares the namespaces among the attributes: how many there are, or
    // -1 when one is malformed.
    int declareAll(const char* const* pairs, int count, std::size_t level);
    // Resolves the attributes that declare no namespace into the arrays
    // that XmlAttributes reads; false for an unbound prefix or a repeated
    // name.
    bool resolveAttributes(const char* const* pairs, int count, int declarations);
    bool declare(std::string_view prefix, std::string_view uri, std::size_t level);
    bool resolve(std::string_view name, bool element, Resolved* resolved);
    int lookup(std::string_view prefix);
    void closeBindings(std::size_t level);
    void bindingsChanged();
    // Whether the name is that of the memo: mostly short, compared a byte
    // at a time.
    bool sameName(std::string_view name) const {
        if (name.size() != m_nameText.size())
            return false;
        for (std::size_t i = 0; i < name.size(); ++i) {
            if (name[i] != m_nameText[i])
                return false;
        }
        return true;
    }

    // Innermost last; a deque, so that a URI stays where it is while its
    // binding lasts.
    std::deque<Binding> m_bindings;
    std::size_t m_innermostLevel = 0; // the level of the last binding
    Resolved m_default;               // of unprefixed element names
    quint64 m_generation = 0;         // changes whenever a binding comes or goes

    // The last name alone resolved, and the last prefix looked up.
    std::string m_nameText;
    Resolved m_name;
    quint64 m_nameGeneration = ~quint64(0);
    std::string m_memoPrefix;
    int m_memoBinding = kNone;
    quint64 m_memoGeneration = ~quint64(0);

    // The attributes of the last tag resolved, declarations left out...
    std::vector<const char*> m_pairs; // (only when it declared)
    std::vector<std::uint32_t> m_localAt;
    std::vector<XmlNs> m_ns;
    std::vector<std::string_view> m_uris;
    // ...and, when it declared nothing, its shape: a tag of that shape is
    // resolved alike while the bindings stay.
    quint64 m_shapeId = 0;
    quint64 m_shapeGeneration = 0;
    quint64 m_shapeNamesId = 0;
    Resolved m_shapeElement;
};
