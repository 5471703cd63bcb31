#pragma once

#include "workbook/xmlnames.h"

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
    XmlBindings();

    // A start tag resolved: names as the parse delivers them. namesId: tags
    // with the same number, not 0, have the same attribute names, resolved
    // alike, in the same order.
    struct Start {
        XmlName name;
        XmlAttributes attributes;
        quint64 namesId = 0;
    };

    // Opens an element with the qualified name and the attributes (name,
    // value, ... count pairs), its own declarations in scope from it on.
    // shapeId: tags with the same number, not 0, have the same names in the
    // same order. The start stays valid until the next call. False, with
    // nothing changed, when expat's namespace mode refuses the tag.
    bool open(std::string_view name, const char* const* pairs, int count, quint64 shapeId,
              Start* start);
    // The resolved name of the innermost open element, whose qualified name
    // is this; valid until close().
    XmlName closing(const char* name) const;
    // Closes the innermost open element: its declarations go out of scope.
    void close();

    // How many elements are open.
    std::size_t level() const { return m_open.size(); }
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
    // A resolved name: its binding (kNone for no namespace) and where its
    // local part starts.
    struct Resolved {
        int binding;
        std::uint32_t localAt;
    };
    static constexpr int kNone = -1;

    bool openWithAttributes(std::string_view name, const char* const* pairs, int count,
                            quint64 shapeId, Start* start);
    bool declare(std::string_view prefix, std::string_view uri, std::size_t level);
    bool resolve(std::string_view name, bool element, Resolved* resolved);
    int lookup(std::string_view prefix);
    void bindingsChanged();
    XmlName nameOf(const Resolved& resolved, const char* name) const;

    std::vector<Binding> m_bindings; // innermost last
    std::vector<Resolved> m_open;    // the open elements' names, innermost last
    int m_default = kNone;           // the binding of unprefixed element names
    quint64 m_generation = 0;        // changes whenever a binding comes or goes

    // The last prefix looked up.
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
    Resolved m_shapeElement{kNone, 0};
};
