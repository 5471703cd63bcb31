#pragma once

#include <QtGlobal>

#include <cstdint>
#include <string_view>

// The namespaces the workbook readers look for. A name in any other
// namespace, or in none where one is expected, is foreign markup: it matches
// nothing a reader reads.
enum class XmlNs : quint8 {
    None,                  // no namespace: an unprefixed attribute, an element outside any default
    Other,                 // a namespace no reader looks for
    Xml,                   // the one the xml prefix is bound to (xml:space)
    Spreadsheet,           // SpreadsheetML, transitional or strict
    DocumentRelationships, // the relationships a workbook names (r:id), transitional or strict
    PackageRelationships,  // the elements of a .rels part
    Office,                // OpenDocument: office:, table:, text:, manifest:
    Table,
    Text,
    Manifest,
    Calcext, // the extension that marks a formula's error result
};

// The namespace a URI names: None for the empty URI, Other for any URI not
// listed above.
XmlNs xmlNamespace(std::string_view uri);

// The URI bound to the xml prefix, and the one no prefix may be bound to.
inline constexpr std::string_view kXmlNamespaceUri = "http://www.w3.org/XML/1998/namespace";
inline constexpr std::string_view kXmlnsNamespaceUri = "http://www.w3.org/2000/xmlns/";

// The name of an element as a parse delivers it: its namespace (its URI,
// empty for none) and its local name.
struct XmlName {
    XmlNs ns;
    std::string_view uri;
    const char* local;
};

// The attributes of a start tag as a parse delivers them, the namespace
// declarations (xmlns, xmlns:p) left out: each with its namespace, local
// name and value. A view of the parse's own arrays, valid within the event.
class XmlAttributes {
public:
    XmlAttributes() = default;
    // pairs: name, value, name, value...; the local name of attribute i
    // starts at pairs[2 * i] + localAt[i].
    XmlAttributes(const char* const* pairs, const std::uint32_t* localAt, const XmlNs* ns,
                  const std::string_view* uris, int size)
        : m_pairs(pairs), m_localAt(localAt), m_ns(ns), m_uris(uris), m_size(size) {}

    int size() const { return m_size; }
    XmlNs ns(int i) const { return m_ns[i]; }
    std::string_view uri(int i) const { return m_uris[i]; }
    const char* name(int i) const { return m_pairs[2 * i] + m_localAt[i]; }
    const char* value(int i) const { return m_pairs[2 * i + 1]; }
    // The value of the attribute with this namespace and local name, or
    // nullptr.
    const char* value(XmlNs ns, const char* name) const;

private:
    const char* const* m_pairs = nullptr;
    const std::uint32_t* m_localAt = nullptr;
    const XmlNs* m_ns = nullptr;
    const std::string_view* m_uris = nullptr;
    int m_size = 0;
};
