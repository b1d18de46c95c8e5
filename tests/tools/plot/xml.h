// A small XML reader for the tests of `plot`: it checks that a document is well-formed (one
// root, matched tags, quoted attributes, known entities, valid UTF-8) and gives its elements, so
// that a test can look at the structure of a picture instead of its pixels.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace scenario::testing {

struct XmlElement {
  std::string name;
  std::map<std::string, std::string> attrs;  // entities resolved
  std::string text;                          // the character data directly inside
  std::vector<XmlElement> children;

  const std::string& attr(const std::string& key) const;  // throws when absent
  bool has_class(const std::string& cls) const;
};

// The root element; throws std::runtime_error naming the byte where the document goes wrong.
XmlElement parse_xml(const std::string& document);

// Every element below `root` (itself included), depth first, for which `keep` holds.
std::vector<const XmlElement*> find_all(const XmlElement& root,
                                        const std::function<bool(const XmlElement&)>& keep);

// Every element of the class.
std::vector<const XmlElement*> with_class(const XmlElement& root, const std::string& cls);

// The first child element of the name; throws when there is none.
const XmlElement& child(const XmlElement& parent, const std::string& name);

// The "x,y x,y ..." of a polyline or polygon.
struct XyPoint {
  double x = 0;
  double y = 0;
};
std::vector<XyPoint> parse_points(const std::string& points);

}  // namespace scenario::testing
