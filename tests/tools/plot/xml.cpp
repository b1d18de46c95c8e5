#include "tools/plot/xml.h"

#include <cctype>
#include <cstdint>
#include <sstream>
#include <stdexcept>

namespace scenario::testing {

namespace {

class Reader {
 public:
  explicit Reader(const std::string& doc) : doc_(doc) {}

  XmlElement document() {
    check_utf8();
    if (starts("<?xml")) skip_past("?>");
    skip_misc();
    XmlElement root = element();
    skip_misc();
    if (at_ < doc_.size()) fail("content after the root element");
    return root;
  }

 private:
  [[noreturn]] void fail(const std::string& what) const {
    throw std::runtime_error("not well-formed at byte " + std::to_string(at_) + ": " + what);
  }

  bool starts(const std::string& s) const { return doc_.compare(at_, s.size(), s) == 0; }

  void skip_past(const std::string& end) {
    const auto found = doc_.find(end, at_);
    if (found == std::string::npos) fail("no " + end);
    at_ = found + end.size();
  }

  void skip_space() {
    while (at_ < doc_.size() && std::isspace(static_cast<unsigned char>(doc_[at_]))) ++at_;
  }

  void comment() {
    at_ += 4;
    const auto end = doc_.find("--", at_);
    if (end == std::string::npos || doc_.compare(end, 3, "-->") != 0) fail("bad comment");
    at_ = end + 3;
  }

  // Space and comments between elements.
  void skip_misc() {
    for (skip_space(); starts("<!--"); skip_space()) comment();
  }

  std::string name() {
    const std::size_t from = at_;
    while (at_ < doc_.size() &&
           (std::isalnum(static_cast<unsigned char>(doc_[at_])) || doc_[at_] == '-' ||
            doc_[at_] == '_' || doc_[at_] == ':' || doc_[at_] == '.')) {
      ++at_;
    }
    if (at_ == from) fail("a name expected");
    return doc_.substr(from, at_ - from);
  }

  static void append_utf8(std::string& out, std::uint32_t cp) {
    if (cp < 0x80) {
      out += static_cast<char>(cp);
    } else if (cp < 0x800) {
      out += static_cast<char>(0xC0 | (cp >> 6));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
      out += static_cast<char>(0xE0 | (cp >> 12));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (cp >> 18));
      out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    }
  }

  // After "&": the entity, resolved.
  void entity(std::string& out) {
    const auto end = doc_.find(';', at_);
    if (end == std::string::npos || end - at_ > 10) fail("a bare &");
    const std::string ref = doc_.substr(at_, end - at_);
    at_ = end + 1;
    static const std::map<std::string, std::string> named{
        {"amp", "&"}, {"lt", "<"}, {"gt", ">"}, {"quot", "\""}, {"apos", "'"}};
    if (const auto it = named.find(ref); it != named.end()) {
      out += it->second;
      return;
    }
    if (ref.size() < 2 || ref[0] != '#') fail("unknown entity &" + ref + ";");
    const bool hex = ref[1] == 'x';
    append_utf8(out, static_cast<std::uint32_t>(
                         std::stoul(ref.substr(hex ? 2 : 1), nullptr, hex ? 16 : 10)));
  }

  std::string attribute_value() {
    const char quote = doc_[at_];
    if (quote != '"' && quote != '\'') fail("an unquoted attribute");
    ++at_;
    std::string value;
    while (at_ < doc_.size() && doc_[at_] != quote) {
      const char c = doc_[at_++];
      if (c == '<') fail("< in an attribute");
      if (c == '&') {
        entity(value);
      } else {
        value += c;
      }
    }
    if (at_ >= doc_.size()) fail("an attribute that does not end");
    ++at_;
    return value;
  }

  void attributes(XmlElement& e) {
    for (skip_space(); at_ < doc_.size() && doc_[at_] != '>' && doc_[at_] != '/'; skip_space()) {
      const std::string key = name();
      skip_space();
      if (doc_[at_] != '=') fail("= expected after " + key);
      ++at_;
      skip_space();
      if (!e.attrs.emplace(key, attribute_value()).second) fail("attribute " + key + " twice");
    }
  }

  void content(XmlElement& e) {
    while (true) {
      if (at_ >= doc_.size()) fail("<" + e.name + "> is never closed");
      if (starts("</")) {
        at_ += 2;
        if (name() != e.name) fail("</...> does not match <" + e.name + ">");
        skip_space();
        if (doc_[at_] != '>') fail("> expected");
        ++at_;
        return;
      }
      if (starts("<!--")) {
        comment();
      } else if (doc_[at_] == '<') {
        e.children.push_back(element());
      } else if (doc_[at_] == '&') {
        ++at_;
        entity(e.text);
      } else {
        if (doc_[at_] == '>') fail("a bare > in text");
        e.text += doc_[at_++];
      }
    }
  }

  XmlElement element() {
    if (at_ >= doc_.size() || doc_[at_] != '<') fail("< expected");
    ++at_;
    XmlElement e;
    e.name = name();
    attributes(e);
    if (starts("/>")) {
      at_ += 2;
      return e;
    }
    if (at_ >= doc_.size() || doc_[at_] != '>') fail("> expected");
    ++at_;
    content(e);
    return e;
  }

  void check_utf8() {
    for (std::size_t i = 0; i < doc_.size();) {
      const auto b = static_cast<unsigned char>(doc_[i]);
      const std::size_t n = b < 0x80                 ? 1
                            : b >= 0xC2 && b <= 0xDF ? 2
                            : b >= 0xE0 && b <= 0xEF ? 3
                            : b >= 0xF0 && b <= 0xF4 ? 4
                                                     : 0;
      if (b < 0x20 && b != '\t' && b != '\n' && b != '\r') fail_at(i, "a control character");
      if (n == 0 || i + n > doc_.size()) fail_at(i, "not UTF-8");
      for (std::size_t k = 1; k < n; ++k) {
        if ((static_cast<unsigned char>(doc_[i + k]) & 0xC0) != 0x80) fail_at(i, "not UTF-8");
      }
      i += n;
    }
  }

  [[noreturn]] void fail_at(std::size_t i, const std::string& what) {
    at_ = i;
    fail(what);
  }

  const std::string& doc_;
  std::size_t at_ = 0;
};

void collect(const XmlElement& e, const std::function<bool(const XmlElement&)>& keep,
             std::vector<const XmlElement*>& out) {
  if (keep(e)) out.push_back(&e);
  for (const XmlElement& c : e.children) collect(c, keep, out);
}

}  // namespace

const std::string& XmlElement::attr(const std::string& key) const {
  const auto it = attrs.find(key);
  if (it == attrs.end()) throw std::runtime_error("<" + name + "> has no " + key);
  return it->second;
}

bool XmlElement::has_class(const std::string& cls) const {
  const auto it = attrs.find("class");
  if (it == attrs.end()) return false;
  std::istringstream words(it->second);
  for (std::string w; words >> w;) {
    if (w == cls) return true;
  }
  return false;
}

XmlElement parse_xml(const std::string& document) { return Reader(document).document(); }

std::vector<const XmlElement*> find_all(const XmlElement& root,
                                        const std::function<bool(const XmlElement&)>& keep) {
  std::vector<const XmlElement*> out;
  collect(root, keep, out);
  return out;
}

std::vector<const XmlElement*> with_class(const XmlElement& root, const std::string& cls) {
  return find_all(root, [&](const XmlElement& e) { return e.has_class(cls); });
}

const XmlElement& child(const XmlElement& parent, const std::string& name) {
  for (const XmlElement& c : parent.children) {
    if (c.name == name) return c;
  }
  throw std::runtime_error("<" + parent.name + "> has no <" + name + ">");
}

std::vector<XyPoint> parse_points(const std::string& points) {
  std::vector<XyPoint> out;
  std::istringstream in(points);
  for (std::string pair; in >> pair;) {
    const auto comma = pair.find(',');
    if (comma == std::string::npos) throw std::runtime_error("bad point " + pair);
    out.push_back(XyPoint{std::stod(pair.substr(0, comma)), std::stod(pair.substr(comma + 1))});
  }
  return out;
}

}  // namespace scenario::testing
