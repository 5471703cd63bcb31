#include "workbook/xmlnames.h"

#include <cstring>

namespace {

struct KnownNamespace {
    std::string_view uri;
    XmlNs ns;
};

constexpr KnownNamespace kKnown[] = {
    {"http://schemas.openxmlformats.org/spreadsheetml/2006/main", XmlNs::Spreadsheet},
    {"http://purl.oclc.org/ooxml/spreadsheetml/main", XmlNs::Spreadsheet},
    {"http://schemas.openxmlformats.org/officeDocument/2006/relationships",
     XmlNs::DocumentRelationships},
    {"http://purl.oclc.org/ooxml/officeDocument/relationships", XmlNs::DocumentRelationships},
    {"http://schemas.openxmlformats.org/package/2006/relationships", XmlNs::PackageRelationships},
    {"urn:oasis:names:tc:opendocument:xmlns:office:1.0", XmlNs::Office},
    {"urn:oasis:names:tc:opendocument:xmlns:table:1.0", XmlNs::Table},
    {"urn:oasis:names:tc:opendocument:xmlns:text:1.0", XmlNs::Text},
    {"urn:oasis:names:tc:opendocument:xmlns:manifest:1.0", XmlNs::Manifest},
    {"urn:org:documentfoundation:names:experimental:calc:xmlns:calcext:1.0", XmlNs::Calcext},
    {kXmlNamespaceUri, XmlNs::Xml},
};

} // namespace

XmlNs xmlNamespace(std::string_view uri) {
    if (uri.empty())
        return XmlNs::None;
    for (const KnownNamespace& known : kKnown) {
        if (known.uri == uri)
            return known.ns;
    }
    return XmlNs::Other;
}

const char* XmlAttributes::value(XmlNs ns, const char* name) const {
    for (int i = 0; i < m_size; ++i) {
        if (m_ns[i] == ns && std::strcmp(this->name(i), name) == 0)
            return value(i);
    }
    return nullptr;
}
