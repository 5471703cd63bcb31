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

bool XmlBindings::open(std::string_view name, const char* const* pairs, int count, quint64 shapeId,
                       Start* start) {
    if (count > 0 && (shapeId == 0 || shapeId != m_shapeId || m_generation != m_shapeGeneration))
        return openWithAttributes(name, pairs, count, shapeId, start);
    Resolved element{kNone, 0};
    if (count == 0) {
        if (!resolve(name, true, &element))
            return false;
        start->attributes = {};
        start->namesId = 0;
    } else {
        // A tag of the shape resolved last, the bindings as they were.
        start->attributes =
            XmlAttributes(pairs, m_localAt.data(), m_ns.data(), m_uris.data(), count);
        start->namesId = m_shapeNamesId;
        element = m_shapeElement;
    }
    m_open.push_back(element);
    start->name = nameOf(element, name.data());
    return true;
}

bool XmlBindings::openWithAttributes(std::string_view name, const char* const* pairs, int count,
                                     quint64 shapeId, Start* start) {
    m_shapeId = 0; // the arrays are rewritten
    const std::size_t level = m_open.size() + 1;
    const std::size_t bindingsBefore = m_bindings.size();
    const auto refuse = [&] {
        if (m_bindings.size() != bindingsBefore) {
            m_bindings.resize(bindingsBefore);
            bindingsChanged();
        }
        return false;
    };
    // The element's own declarations are in scope for its names.
    int declarations = 0;
    for (int i = 0; i < count; ++i) {
        const char* attribute = pairs[2 * i];
        if (!isDeclaration(attribute))
            continue;
        ++declarations;
        if (localStart(attribute) == kBadName)
            return refuse();
        const std::string_view prefix = attribute[5] == ':' ? attribute + 6 : "";
        if (!declare(prefix, pairs[2 * i + 1], level))
            return refuse();
    }
    if (declarations > 0)
        bindingsChanged();
    Resolved element{kNone, 0};
    if (!resolve(name, true, &element))
        return refuse();
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
        Resolved resolved{kNone, 0};
        if (!resolve(attribute, false, &resolved))
            return refuse();
        const XmlName resolvedName = nameOf(resolved, attribute);
        // Two attributes of one namespace and local name.
        for (int k = 0; k < at && resolved.binding != kNone; ++k) {
            if (m_uris[k] == resolvedName.uri &&
                std::strcmp(attribute + resolved.localAt,
                            (declarations > 0 ? m_pairs[2 * k] : pairs[2 * k]) + m_localAt[k]) == 0)
                return refuse();
        }
        m_localAt[at] = resolved.localAt;
        m_ns[at] = resolvedName.ns;
        m_uris[at] = resolvedName.uri;
        ++at;
    }
    m_open.push_back(element);
    start->name = nameOf(element, name.data());
    start->attributes = XmlAttributes(declarations > 0 ? m_pairs.data() : pairs, m_localAt.data(),
                                      m_ns.data(), m_uris.data(), kept);
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
        *resolved = {element ? m_default : kNone, 0};
        return true;
    }
    if (local == kBadName)
        return false;
    *resolved = {lookup(name.substr(0, local - 1)), static_cast<std::uint32_t>(local)};
    return resolved->binding != kNone;
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
    m_default = kNone;
    for (int b = static_cast<int>(m_bindings.size()) - 1; b >= 0; --b) {
        const Binding& binding = m_bindings[static_cast<std::size_t>(b)];
        if (binding.prefix.empty()) {
            // xmlns="" undeclares the default namespace.
            m_default = binding.uri.empty() ? kNone : b;
            break;
        }
    }
}

XmlName XmlBindings::nameOf(const Resolved& resolved, const char* name) const {
    if (resolved.binding == kNone)
        return {XmlNs::None, {}, name + resolved.localAt};
    const Binding& binding = m_bindings[static_cast<std::size_t>(resolved.binding)];
    return {binding.ns, binding.uri, name + resolved.localAt};
}

XmlName XmlBindings::closing(const char* name) const {
    return nameOf(m_open.back(), name);
}

void XmlBindings::close() {
    const std::size_t level = m_open.size();
    m_open.pop_back();
    if (m_bindings.back().level != level)
        return;
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
