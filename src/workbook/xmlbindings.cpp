#include "workbook/xmlbindings.h"

#include <atomic>
#include <cstring>

namespace {

// A namespace declaration: "xmlns" or "xmlns:" and a prefix.
bool isDeclaration(const char* name) {
    return std::strncmp(name, "xmlns", 5) == 0 && (name[5] == '\0' || name[5] == ':');
}

constexpr std::size_t kBadName = static_cast<std::size_t>(-1);

// Where the local part of a qualified name starts: after its colon, 0 when it
// has none; kBadName when expat's namespace mode refuses the name (a colon
// first, last, twice, or before a character that cannot start a name). The
// scanner takes ASCII names only.
std::size_t localStart(std::string_view name) {
    const std::size_t colon = name.find(':');
    if (colon == std::string_view::npos)
        return 0;
    if (colon == 0 || colon + 1 >= name.size() ||
        name.find(':', colon + 1) != std::string_view::npos)
        return kBadName;
    const char first = name[colon + 1];
    const bool letter = (first >= 'a' && first <= 'z') || (first >= 'A' && first <= 'Z');
    return letter || first == '_' ? colon + 1 : kBadName;
}

// Numbered across every scanner, as their shapes are.
quint64 nextNamesId() {
    static std::atomic<quint64> names{0};
    return ++names;
}

} // namespace

XmlBindings::XmlBindings() {
    m_bindings.push_back({"xml", std::string(kXmlNamespaceUri), XmlNs::Xml, 0});
}

bool XmlBindings::openName(std::string_view name, Start* start) {
    if (!resolve(name, true, &start->resolved))
        return false;
    m_nameText.assign(name);
    m_name = start->resolved;
    m_nameGeneration = m_generation;
    return true;
}

bool XmlBindings::openWithAttributes(std::string_view name, const char* const* pairs, int count,
                                     quint64 shapeId, std::size_t level, Start* start) {
    m_shapeId = 0; // the arrays are rewritten
    const std::size_t bindingsBefore = m_bindings.size();
    // The element's own declarations are in scope for its names.
    const int declarations = declareAll(pairs, count, level);
    Resolved element;
    if (declarations < 0 || !resolve(name, true, &element) ||
        !resolveAttributes(pairs, count, declarations)) {
        if (m_bindings.size() != bindingsBefore) {
            m_bindings.resize(bindingsBefore);
            bindingsChanged();
        }
        return false;
    }
    start->resolved = element;
    start->attributes = XmlAttributes(declarations > 0 ? m_pairs.data() : pairs, m_localAt.data(),
                                      m_ns.data(), m_uris.data(), count - declarations);
    start->namesId = 0;
    if (declarations == 0 && shapeId != 0) {
        m_shapeId = shapeId;
        m_shapeGeneration = m_generation;
        m_shapeElement = element;
        m_shapeNamesId = nextNamesId();
        start->namesId = m_shapeNamesId;
    }
    return true;
}

int XmlBindings::declareAll(const char* const* pairs, int count, std::size_t level) {
    int declarations = 0;
    for (int i = 0; i < count; ++i) {
        const char* attribute = pairs[2 * i];
        if (!isDeclaration(attribute))
            continue;
        ++declarations;
        if (localStart(attribute) == kBadName)
            return -1;
        const std::string_view prefix = attribute[5] == ':' ? attribute + 6 : "";
        if (!declare(prefix, pairs[2 * i + 1], level))
            return -1;
    }
    if (declarations > 0)
        bindingsChanged();
    return declarations;
}

bool XmlBindings::resolveAttributes(const char* const* pairs, int count, int declarations) {
    const int kept = count - declarations;
    m_localAt.resize(static_cast<std::size_t>(kept));
    m_ns.resize(static_cast<std::size_t>(kept));
    m_uris.resize(static_cast<std::size_t>(kept));
    m_pairs.clear();
    int at = 0;
    for (int i = 0; i < count; ++i) {
        const char* attribute = pairs[2 * i];
        if (declarations > 0) {
            if (isDeclaration(attribute))
                continue;
            m_pairs.push_back(attribute);
            m_pairs.push_back(pairs[2 * i + 1]);
        }
        Resolved resolved;
        if (!resolve(attribute, false, &resolved))
            return false;
        // Two attributes of one namespace and local name (a prefixed name
        // has a namespace).
        for (int k = 0; k < at && !resolved.uri.empty(); ++k) {
            if (m_uris[k] == resolved.uri &&
                std::strcmp(attribute + resolved.localAt,
                            (declarations > 0 ? m_pairs[2 * k] : pairs[2 * k]) + m_localAt[k]) == 0)
                return false;
        }
        m_localAt[at] = resolved.localAt;
        m_ns[at] = resolved.ns;
        m_uris[at] = resolved.uri;
        ++at;
    }
    return true;
}

bool XmlBindings::declare(std::string_view prefix, std::string_view uri, std::size_t level) {
    // The rules of namespaces in XML 1.0, as expat applies them.
    if (uri.empty() && !prefix.empty())
        return false;
    if (prefix == "xmlns")
        return false;
    if ((prefix == "xml") != (uri == kXmlNamespaceUri) || uri == kXmlnsNamespaceUri)
        return false;
    m_bindings.push_back({std::string(prefix), std::string(uri), xmlNamespace(uri), level});
    return true;
}

bool XmlBindings::resolve(std::string_view name, bool element, Resolved* resolved) {
    const std::size_t local = localStart(name);
    if (local == 0) {
        // The default namespace applies to elements only.
        *resolved = element ? m_default : Resolved{};
        return true;
    }
    if (local == kBadName)
        return false;
    const int binding = lookup(name.substr(0, local - 1));
    if (binding == kNone)
        return false;
    const Binding& bound = m_bindings[static_cast<std::size_t>(binding)];
    *resolved = {bound.uri, static_cast<std::uint32_t>(local), bound.ns};
    return true;
}

int XmlBindings::lookup(std::string_view prefix) {
    if (m_memoGeneration == m_generation && prefix == m_memoPrefix)
        return m_memoBinding;
    int found = kNone;
    for (int b = static_cast<int>(m_bindings.size()) - 1; b >= 0; --b) {
        if (m_bindings[static_cast<std::size_t>(b)].prefix == prefix) {
            found = b;
            break;
        }
    }
    m_memoPrefix.assign(prefix);
    m_memoBinding = found;
    m_memoGeneration = m_generation;
    return found;
}

void XmlBindings::bindingsChanged() {
    ++m_generation;
    m_innermostLevel = m_bindings.back().level;
    m_default = {};
    for (auto binding = m_bindings.crbegin(); binding != m_bindings.crend(); ++binding) {
        if (binding->prefix.empty()) {
            // xmlns="" undeclares the default namespace: its URI is empty.
            m_default = {binding->uri, 0, binding->ns};
            break;
        }
    }
}

void XmlBindings::closeBindings(std::size_t level) {
    while (m_bindings.back().level == level)
        m_bindings.pop_back();
    bindingsChanged();
}

void XmlBindings::appendDeclarations(std::size_t level, std::string& out) const {
    for (const Binding& binding : m_bindings) {
        if (binding.level != level)
            continue;
        out += binding.prefix.empty() ? " xmlns" : " xmlns:";
        out += binding.prefix;
        out += "=\"";
        // As the value was read: white space from character references is
        // not normalized to a space.
        for (const char ch : binding.uri) {
            switch (ch) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\t':
                out += "&#9;";
                break;
            case '\n':
                out += "&#10;";
                break;
            case '\r':
                out += "&#13;";
                break;
            default:
                out += ch;
            }
        }
        out += '"';
    }
}
