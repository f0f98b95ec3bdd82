#include "lang/TsFile.h"

#include <algorithm>

#include "lang/ChineseScript.h"

namespace tessaly {
namespace {

std::string Unescaped(std::string_view s) {
    static constexpr std::pair<std::string_view, char> kEntities[] = {
        {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}};
    std::string out;
    for (std::size_t i = 0; i < s.size();) {
        bool done = false;
        if (s[i] == '&') {
            for (const auto& [name, c] : kEntities) {
                if (s.substr(i, name.size()) == name) {
                    out += c;
                    i += name.size();
                    done = true;
                    break;
                }
            }
        }
        if (!done) out += s[i++];
    }
    return out;
}

// The text between <tag…> and </tag> in `block` from `from`; npos when
// missing. *open gets the opening tag itself.
struct Element {
    std::size_t openAt = std::string_view::npos;  // '<' of the opening tag
    std::size_t contentAt = 0, contentEnd = 0;    // the content
    std::size_t end = 0;                          // after the closing tag
    std::string_view openTag;
    bool found() const { return openAt != std::string_view::npos; }
};

Element Find(std::string_view s, std::string_view tag, std::size_t from = 0) {
    Element e;
    std::string open(1, '<');
    open.append(tag);
    for (std::size_t at = s.find(open, from); at != std::string_view::npos; at = s.find(open, at + 1)) {
        const char next = at + open.size() < s.size() ? s[at + open.size()] : '\0';
        if (next != '>' && next != ' ' && next != '/') continue;
        const std::size_t close = s.find('>', at);
        if (close == std::string_view::npos) return e;
        e.openAt = at;
        e.openTag = s.substr(at, close + 1 - at);
        if (s[close - 1] == '/') {  // <tag/>
            e.contentAt = e.contentEnd = e.end = close + 1;
            return e;
        }
        e.contentAt = close + 1;
        std::string closeTag = "</";
        closeTag.append(tag).append(">");
        const std::size_t c = s.find(closeTag, e.contentAt);
        e.contentEnd = c == std::string_view::npos ? s.size() : c;
        e.end = c == std::string_view::npos ? s.size() : c + closeTag.size();
        return e;
    }
    return e;
}

std::string Attribute(std::string_view tag, std::string_view name) {
    std::string key(1, ' ');
    key.append(name).append("=\"");
    const std::size_t at = tag.find(key);
    if (at == std::string_view::npos) return {};
    const std::size_t from = at + key.size();
    return std::string(tag.substr(from, tag.find('"', from) - from));
}

std::size_t LineOf(std::string_view s, std::size_t at) {
    return std::size_t(std::count(s.begin(), s.begin() + std::ptrdiff_t(std::min(at, s.size())), '\n')) + 1;
}

}  // namespace

std::vector<TsMessage> ReadTsMessages(std::string_view ts) {
    std::vector<TsMessage> out;
    for (Element ctx = Find(ts, "context"); ctx.found(); ctx = Find(ts, "context", ctx.end)) {
        const std::string_view body = ts.substr(ctx.contentAt, ctx.contentEnd - ctx.contentAt);
        const Element name = Find(body, "name");
        const std::string context =
            name.found() ? Unescaped(body.substr(name.contentAt, name.contentEnd - name.contentAt)) : "";
        for (Element m = Find(body, "message"); m.found(); m = Find(body, "message", m.end)) {
            const std::string_view msg = body.substr(m.contentAt, m.contentEnd - m.contentAt);
            TsMessage t;
            t.context = context;
            t.line = LineOf(ts, ctx.contentAt + m.openAt);
            const Element src = Find(msg, "source");
            if (src.found()) t.source = Unescaped(msg.substr(src.contentAt, src.contentEnd - src.contentAt));
            const Element tr = Find(msg, "translation");
            if (tr.found()) {
                t.type = Attribute(tr.openTag, "type");
                const std::string_view content = msg.substr(tr.contentAt, tr.contentEnd - tr.contentAt);
                if (Attribute(m.openTag, "numerus") == "yes") {
                    for (Element f = Find(content, "numerusform"); f.found(); f = Find(content, "numerusform", f.end)) {
                        if (!t.translation.empty()) t.translation += '\n';
                        t.translation += Unescaped(content.substr(f.contentAt, f.contentEnd - f.contentAt));
                    }
                } else {
                    t.translation = Unescaped(content);
                }
            }
            out.push_back(std::move(t));
        }
    }
    return out;
}

std::map<std::string, std::string> ReadTsFixes(std::string_view tsv) {
    std::map<std::string, std::string> fixes;
    for (std::size_t from = 0; from < tsv.size();) {
        std::size_t end = tsv.find('\n', from);
        if (end == std::string_view::npos) end = tsv.size();
        std::string_view line = tsv.substr(from, end - from);
        from = end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty() || line.front() == '#') continue;
        const std::size_t tab = line.find('\t');
        if (tab == std::string_view::npos) continue;
        fixes[std::string(line.substr(0, tab))] = std::string(line.substr(tab + 1));
    }
    return fixes;
}

std::string TraditionalTs(std::string_view ts, const TraditionalConverter& converter,
                          const std::map<std::string, std::string>& fixes) {
    std::string out;
    std::size_t copied = 0;
    for (Element m = Find(ts, "message"); m.found(); m = Find(ts, "message", m.end)) {
        const std::string_view msg = ts.substr(m.contentAt, m.contentEnd - m.contentAt);
        const Element src = Find(msg, "source");
        const Element tr = Find(msg, "translation");
        if (!src.found() || !tr.found()) continue;
        const std::string type = Attribute(tr.openTag, "type");
        if (type == "vanished" || type == "obsolete") continue;
        const std::string source(msg.substr(src.contentAt, src.contentEnd - src.contentAt));
        const auto fix = fixes.find(source);
        const std::string traditional = fix != fixes.end() ? fix->second : converter.Convert(source);
        std::string element;
        if (Attribute(m.openTag, "numerus") == "yes") {
            // Chinese has one form; each form gets the text.
            const std::string_view content = msg.substr(tr.contentAt, tr.contentEnd - tr.contentAt);
            std::string forms;
            std::size_t from = 0;
            for (Element f = Find(content, "numerusform"); f.found(); f = Find(content, "numerusform", f.end)) {
                forms.append(content.substr(from, f.openAt - from));
                forms += "<numerusform>" + traditional + "</numerusform>";
                from = f.end;
            }
            forms.append(content.substr(from));
            element = "<translation>" + forms + "</translation>";
        } else {
            element = "<translation>" + traditional + "</translation>";
        }
        const std::size_t at = m.contentAt + tr.openAt;
        out.append(ts.substr(copied, at - copied));
        out += element;
        copied = m.contentAt + tr.end;
    }
    out.append(ts.substr(copied));
    return out;
}

}  // namespace tessaly
