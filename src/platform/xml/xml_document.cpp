#include "platform/xml/xml_document.h"

#include <cerrno>
#include <cstring>
#include <pugixml.hpp>
#include <sstream>

#include "platform/system/paths.h"
#include "platform/system/text_file.h"
#include "platform/text/code_page.h"
#include "platform/text/string_utils.h"
#include "platform/text/unicode.h"

namespace qv {

struct TXMLDocumentData {
  pugi::xml_document doc;
};

namespace {

constexpr unsigned kParseOptions = pugi::parse_default | pugi::parse_declaration |
                                   pugi::parse_doctype | pugi::parse_comments | pugi::parse_pi;

pugi::xml_node Node(pugi::xml_node_struct* node) {
  return pugi::xml_node(node);
}
pugi::xml_attribute Attr(pugi::xml_attribute_struct* attr) {
  return pugi::xml_attribute(attr);
}

std::string LowerAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

// The code page of an encoding name as XML declarations write it; 0 when unknown.
int CodePageOfEncoding(std::string_view name) {
  const std::string n = LowerAscii(Trim(std::string(name)));
  struct Alias {
    const char* name;
    int cp;
  };
  static constexpr Alias kAliases[] = {
      {"utf-8", CP_UTF8},      {"utf8", CP_UTF8},    {"gb2312", 936},      {"gbk", 936},
      {"cp936", 936},          {"x-gbk", 936},       {"windows-936", 936}, {"euc-cn", 936},
      {"gb_2312-80", 936},     {"gb18030", 54936},   {"big5", 950},        {"cp950", 950},
      {"x-x-big5", 950},       {"windows-950", 950}, {"big-5", 950},       {"us-ascii", 20127},
      {"ascii", 20127},        {"latin1", 28591},    {"shift_jis", 932},   {"euc-kr", 949},
      {"ks_c_5601-1987", 949}, {"cp437", 437},       {"ibm437", 437},
  };
  for (const Alias& alias : kAliases)
    if (n == alias.name) return alias.cp;
  auto numberAfter = [&n](std::string_view prefix) {
    if (n.size() <= prefix.size() || n.compare(0, prefix.size(), prefix) != 0) return 0;
    int value = 0;
    for (size_t i = prefix.size(); i < n.size(); ++i) {
      if (n[i] < '0' || n[i] > '9' || value > 100000) return 0;
      value = value * 10 + (n[i] - '0');
    }
    return value;
  };
  if (int v = numberAfter("windows-"); v >= 1250 && v <= 1258) return v;
  if (int v = numberAfter("cp"); v >= 1250 && v <= 1258) return v;
  if (int v = numberAfter("iso-8859-"); v >= 1 && v <= 9) return 28590 + v;
  if (n == "iso-8859-15") return 28605;
  return 0;
}

// The value of the encoding pseudo-attribute of a leading "<?xml ...?>"; empty
// when the bytes do not start with a declaration or it names no encoding.
std::string DeclaredEncoding(std::string_view bytes) {
  if (bytes.size() < 6 || bytes.compare(0, 5, "<?xml") != 0) return {};
  const char after = bytes[5];
  if (after != ' ' && after != '\t' && after != '\r' && after != '\n') return {};
  const size_t end = bytes.find("?>");
  std::string_view decl = bytes.substr(0, end == std::string_view::npos ? bytes.size() : end);
  size_t pos = decl.find("encoding");
  if (pos == std::string_view::npos) return {};
  pos += 8;
  while (pos < decl.size() && std::strchr(" \t\r\n", decl[pos])) ++pos;
  if (pos >= decl.size() || decl[pos] != '=') return {};
  ++pos;
  while (pos < decl.size() && std::strchr(" \t\r\n", decl[pos])) ++pos;
  if (pos >= decl.size() || (decl[pos] != '"' && decl[pos] != '\'')) return {};
  const char quote = decl[pos++];
  const size_t close = decl.find(quote, pos);
  if (close == std::string_view::npos) return {};
  return std::string(decl.substr(pos, close - pos));
}

std::u16string Utf16FromBytes(std::string_view bytes, bool bigEndian) {
  std::u16string out(bytes.size() / 2, u'\0');
  for (size_t i = 0; i < out.size(); ++i) {
    const auto b0 = static_cast<unsigned char>(bytes[2 * i]);
    const auto b1 = static_cast<unsigned char>(bytes[2 * i + 1]);
    out[i] = static_cast<char16_t>(bigEndian ? (b0 << 8) | b1 : (b1 << 8) | b0);
  }
  return out;
}

bool StartsWith(std::string_view bytes, std::string_view prefix) {
  return bytes.size() >= prefix.size() && bytes.compare(0, prefix.size(), prefix) == 0;
}

using namespace std::string_view_literals;

// The document's bytes as UTF-8, by byte-order mark, by the shape of the first
// characters, then by the declared encoding.
std::string DecodeDocumentBytes(std::string_view bytes, const std::string& source) {
  if (StartsWith(bytes, "\xEF\xBB\xBF")) return std::string(bytes.substr(3));
  if (StartsWith(bytes, "\xFF\xFE\0\0"sv)) return CodePageToUtf8(bytes.substr(4), 12000);
  if (StartsWith(bytes, "\0\0\xFE\xFF"sv)) return CodePageToUtf8(bytes.substr(4), 12001);
  if (StartsWith(bytes, "\xFF\xFE")) return Utf16ToUtf8(Utf16FromBytes(bytes.substr(2), false));
  if (StartsWith(bytes, "\xFE\xFF")) return Utf16ToUtf8(Utf16FromBytes(bytes.substr(2), true));
  if (StartsWith(bytes, "<\0?\0"sv)) return Utf16ToUtf8(Utf16FromBytes(bytes, false));
  if (StartsWith(bytes, "\0<\0?"sv)) return Utf16ToUtf8(Utf16FromBytes(bytes, true));

  const std::string encoding = DeclaredEncoding(bytes);
  if (encoding.empty()) return std::string(bytes);
  const std::string lower = LowerAscii(encoding);
  // Single-byte text that calls itself UTF-16 is read as it stands.
  if (lower == "utf-16" || lower == "unicode") return std::string(bytes);
  const int cp = CodePageOfEncoding(encoding);
  if (cp == 0 || !IsCodePageSupported(cp))
    throw EXMLParseError("System does not support the specified encoding \"" + encoding + "\"",
                         source, 0, 0, -1);
  if (cp == CP_UTF8) return std::string(bytes);
  return CodePageToUtf8(bytes, cp);
}

std::string Where(const std::string& source, int line, int column) {
  std::string where;
  if (line > 0) where = "line " + std::to_string(line) + ", column " + std::to_string(column);
  if (!source.empty()) where = source + (where.empty() ? "" : ", " + where);
  return where;
}

void CollectText(pugi::xml_node node, std::string& out) {
  for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
    switch (child.type()) {
      case pugi::node_pcdata:
      case pugi::node_cdata:
        out += child.value();
        break;
      case pugi::node_element:
        CollectText(child, out);
        break;
      default:
        break;
    }
  }
}

std::string Print(pugi::xml_node node) {
  std::ostringstream out;
  node.print(out, "", pugi::format_raw, pugi::encoding_utf8);
  return out.str();
}

}  // namespace

EXMLParseError::EXMLParseError(std::string reason, std::string source, int line, int column,
                               std::ptrdiff_t offset)
    : EXMLDocError(Where(source, line, column).empty()
                       ? reason
                       : reason + " (" + Where(source, line, column) + ")"),
      reason_(std::move(reason)),
      source_(std::move(source)),
      line_(line),
      column_(column),
      offset_(offset) {}

// ---------------------------------------------------------------------------
// TXMLNode

TXMLNodeType TXMLNode::NodeType() const {
  if (attr_ != nullptr) return TXMLNodeType::ntAttribute;
  switch (Node(node_).type()) {
    case pugi::node_document:
      return TXMLNodeType::ntDocument;
    case pugi::node_element:
      return TXMLNodeType::ntElement;
    case pugi::node_pcdata:
      return TXMLNodeType::ntText;
    case pugi::node_cdata:
      return TXMLNodeType::ntCData;
    case pugi::node_comment:
      return TXMLNodeType::ntComment;
    case pugi::node_pi:
      return TXMLNodeType::ntProcessingInstr;
    case pugi::node_declaration:
      return TXMLNodeType::ntDeclaration;
    case pugi::node_doctype:
      return TXMLNodeType::ntDocType;
    default:
      return TXMLNodeType::ntNone;
  }
}

std::string TXMLNode::NodeName() const {
  switch (NodeType()) {
    case TXMLNodeType::ntAttribute:
      return Attr(attr_).name();
    case TXMLNodeType::ntDocument:
      return "#document";
    case TXMLNodeType::ntText:
      return "#text";
    case TXMLNodeType::ntCData:
      return "#cdata-section";
    case TXMLNodeType::ntComment:
      return "#comment";
    case TXMLNodeType::ntDeclaration:
      return "xml";
    case TXMLNodeType::ntElement:
    case TXMLNodeType::ntProcessingInstr:
      return Node(node_).name();
    default:
      return {};
  }
}

std::string TXMLNode::NodeValue() const {
  switch (NodeType()) {
    case TXMLNodeType::ntAttribute:
      return Attr(attr_).value();
    case TXMLNodeType::ntText:
    case TXMLNodeType::ntCData:
    case TXMLNodeType::ntComment:
    case TXMLNodeType::ntProcessingInstr:
    case TXMLNodeType::ntDocType:
      return Node(node_).value();
    default:
      return {};
  }
}

std::string TXMLNode::Text() const {
  switch (NodeType()) {
    case TXMLNodeType::ntElement:
    case TXMLNodeType::ntDocument: {
      std::string out;
      CollectText(Node(node_), out);
      return out;
    }
    default:
      return NodeValue();
  }
}

void TXMLNode::SetText(std::string_view text) {
  const std::string value(text);
  switch (NodeType()) {
    case TXMLNodeType::ntAttribute:
      Attr(attr_).set_value(value.c_str());
      return;
    case TXMLNodeType::ntText:
    case TXMLNodeType::ntCData:
    case TXMLNodeType::ntComment:
      Node(node_).set_value(value.c_str());
      return;
    case TXMLNodeType::ntElement: {
      pugi::xml_node node = Node(node_);
      while (node.first_child()) node.remove_child(node.first_child());
      if (!value.empty()) node.append_child(pugi::node_pcdata).set_value(value.c_str());
      return;
    }
    default:
      throw EXMLDocError("Cannot set the text of this node");
  }
}

std::string TXMLNode::Xml() const {
  if (IsNull()) return {};
  if (attr_ != nullptr) {
    pugi::xml_document scratch;
    scratch.append_child("a").append_attribute(Attr(attr_).name()) = Attr(attr_).value();
    const std::string element = Print(scratch.first_child());  // <a name="value"/>
    return element.substr(3, element.size() - 5);
  }
  return Print(Node(node_));
}

TXMLNode TXMLNode::ParentNode() const {
  if (attr_ != nullptr) return {};  // attributes have no parent in the DOM
  pugi::xml_node parent = Node(node_).parent();
  return parent ? TXMLNode(doc_, parent.internal_object()) : TXMLNode();
}

TXMLNode TXMLNode::FirstChild() const {
  if (attr_ != nullptr) return {};
  pugi::xml_node child = Node(node_).first_child();
  return child ? TXMLNode(doc_, child.internal_object()) : TXMLNode();
}

TXMLNode TXMLNode::NextSibling() const {
  if (attr_ != nullptr) return {};
  pugi::xml_node next = Node(node_).next_sibling();
  return next ? TXMLNode(doc_, next.internal_object()) : TXMLNode();
}

std::vector<TXMLNode> TXMLNode::ChildNodes() const {
  std::vector<TXMLNode> nodes;
  if (attr_ != nullptr) return nodes;
  for (pugi::xml_node child = Node(node_).first_child(); child; child = child.next_sibling())
    nodes.push_back(TXMLNode(doc_, child.internal_object()));
  return nodes;
}

TXMLNode TXMLNode::ChildElement(std::string_view name) const {
  if (attr_ != nullptr) return {};
  const std::string tag(name);
  pugi::xml_node child = Node(node_).child(tag.c_str());
  return child ? TXMLNode(doc_, child.internal_object()) : TXMLNode();
}

int TXMLNode::AttributeCount() const {
  if (NodeType() != TXMLNodeType::ntElement) return 0;
  int count = 0;
  for (pugi::xml_attribute a = Node(node_).first_attribute(); a; a = a.next_attribute()) ++count;
  return count;
}

TXMLNode TXMLNode::Attribute(int index) const {
  if (NodeType() != TXMLNodeType::ntElement || index < 0) return {};
  pugi::xml_attribute a = Node(node_).first_attribute();
  for (int i = 0; a && i < index; ++i) a = a.next_attribute();
  return a ? TXMLNode(doc_, node_, a.internal_object()) : TXMLNode();
}

TXMLNode TXMLNode::AttributeNode(std::string_view name) const {
  if (NodeType() != TXMLNodeType::ntElement) return {};
  const std::string key(name);
  pugi::xml_attribute a = Node(node_).attribute(key.c_str());
  return a ? TXMLNode(doc_, node_, a.internal_object()) : TXMLNode();
}

std::vector<TXMLNode> TXMLNode::Attributes() const {
  std::vector<TXMLNode> nodes;
  if (NodeType() != TXMLNodeType::ntElement) return nodes;
  for (pugi::xml_attribute a = Node(node_).first_attribute(); a; a = a.next_attribute())
    nodes.push_back(TXMLNode(doc_, node_, a.internal_object()));
  return nodes;
}

bool TXMLNode::HasAttribute(std::string_view name) const {
  return !AttributeNode(name).IsNull();
}

std::string TXMLNode::GetAttribute(std::string_view name) const {
  return AttributeNode(name).NodeValue();
}

void TXMLNode::RequireElement(const char* operation) const {
  if (NodeType() != TXMLNodeType::ntElement)
    throw EXMLDocError(std::string(operation) + ": the node is no element");
}

void TXMLNode::SetAttribute(std::string_view name, std::string_view value) {
  RequireElement("SetAttribute");
  const std::string key(name);
  const std::string text(value);
  pugi::xml_node node = Node(node_);
  pugi::xml_attribute a = node.attribute(key.c_str());
  if (!a) a = node.append_attribute(key.c_str());
  a.set_value(text.c_str());
}

bool TXMLNode::RemoveAttribute(std::string_view name) {
  RequireElement("RemoveAttribute");
  const std::string key(name);
  return Node(node_).remove_attribute(key.c_str());
}

TXMLNode TXMLNode::AppendElement(std::string_view name) {
  const TXMLNodeType type = NodeType();
  if (type != TXMLNodeType::ntElement && type != TXMLNodeType::ntDocument)
    throw EXMLDocError("AppendElement: the node is neither an element nor a document");
  pugi::xml_node node = Node(node_);
  if (type == TXMLNodeType::ntDocument &&
      node.find_child([](pugi::xml_node n) { return n.type() == pugi::node_element; }))
    throw EXMLDocError("AppendElement: the document already has a document element");
  const std::string tag(name);
  pugi::xml_node child = node.append_child(tag.c_str());
  return TXMLNode(doc_, child.internal_object());
}

namespace {

pugi::xpath_node_set Select(pugi::xml_node context, std::string_view xpath) {
  const std::string query(xpath);
  try {
    return context.select_nodes(query.c_str());
  } catch (const pugi::xpath_exception& e) {
    throw EXMLDocError("Invalid XPath \"" + query + "\": " + e.what());
  }
}

}  // namespace

TXMLNode TXMLNode::SelectSingleNode(std::string_view xpath) const {
  if (IsNull() || attr_ != nullptr) return {};
  pugi::xpath_node_set found = Select(Node(node_), xpath);
  if (found.empty()) return {};
  const pugi::xpath_node first = found.first();
  if (first.attribute())
    return TXMLNode(doc_, first.parent().internal_object(), first.attribute().internal_object());
  return TXMLNode(doc_, first.node().internal_object());
}

std::vector<TXMLNode> TXMLNode::SelectNodes(std::string_view xpath) const {
  std::vector<TXMLNode> nodes;
  if (IsNull() || attr_ != nullptr) return nodes;
  pugi::xpath_node_set found = Select(Node(node_), xpath);
  found.sort();
  for (const pugi::xpath_node& n : found) {
    if (n.attribute())
      nodes.push_back(
          TXMLNode(doc_, n.parent().internal_object(), n.attribute().internal_object()));
    else
      nodes.push_back(TXMLNode(doc_, n.node().internal_object()));
  }
  return nodes;
}

// ---------------------------------------------------------------------------
// TXMLDocument

TXMLDocument::TXMLDocument() : data_(std::make_shared<TXMLDocumentData>()) {}
TXMLDocument::~TXMLDocument() = default;
TXMLDocument::TXMLDocument(TXMLDocument&&) noexcept = default;
TXMLDocument& TXMLDocument::operator=(TXMLDocument&&) noexcept = default;

void TXMLDocument::Clear() {
  data_ = std::make_shared<TXMLDocumentData>();
}

void TXMLDocument::LoadFromFile(const std::string& fileName) {
  Clear();
  std::string bytes;
  errno = 0;
  if (!ReadFileBytes(fileName, bytes)) {
    const int error = errno;
    throw EFOpenError("Cannot open file \"" + fileName + "\". " +
                      (error != 0 ? std::string(std::strerror(error)) : "The file cannot be read"));
  }
  Parse(bytes, false, fileName);
}

void TXMLDocument::LoadFromBytes(std::string_view bytes) {
  Clear();
  Parse(bytes, false, "");
}

void TXMLDocument::LoadFromText(std::string_view utf8) {
  Clear();
  if (StartsWith(utf8, "\xEF\xBB\xBF")) utf8.remove_prefix(3);
  Parse(utf8, true, "");
}

void TXMLDocument::Parse(std::string_view bytes, bool decoded, const std::string& source) {
  const std::string text = decoded ? std::string(bytes) : DecodeDocumentBytes(bytes, source);
  auto data = std::make_shared<TXMLDocumentData>();
  const pugi::xml_parse_result result =
      data->doc.load_buffer(text.data(), text.size(), kParseOptions, pugi::encoding_utf8);
  if (!result) {
    const auto offset = static_cast<std::ptrdiff_t>(result.offset);
    int line = 1;
    int column = 1;
    for (std::ptrdiff_t i = 0; i < offset && i < static_cast<std::ptrdiff_t>(text.size()); ++i) {
      const auto c = static_cast<unsigned char>(text[i]);
      if (c == '\n') {
        ++line;
        column = 1;
      } else if ((c & 0xC0) != 0x80) {
        ++column;
      }
    }
    throw EXMLParseError(result.description(), source, line, column, offset);
  }
  if (!data->doc.document_element()) {
    throw EXMLParseError("No document element", source, 0, 0, -1);
  }
  data_ = std::move(data);
}

bool TXMLDocument::IsEmpty() const {
  return !data_->doc.document_element();
}

TXMLNode TXMLDocument::DocumentElement() const {
  pugi::xml_node root = data_->doc.document_element();
  return root ? TXMLNode(data_, root.internal_object()) : TXMLNode();
}

TXMLNode TXMLDocument::DocumentNode() const {
  return TXMLNode(data_, data_->doc.internal_object());
}

TXMLNode TXMLDocument::SelectSingleNode(std::string_view xpath) const {
  return DocumentNode().SelectSingleNode(xpath);
}

std::vector<TXMLNode> TXMLDocument::SelectNodes(std::string_view xpath) const {
  return DocumentNode().SelectNodes(xpath);
}

std::string TXMLDocument::Xml() const {
  std::ostringstream out;
  data_->doc.save(out, "", pugi::format_raw | pugi::format_no_declaration, pugi::encoding_utf8);
  return out.str();
}

// ---------------------------------------------------------------------------
// TXMLElementIndex

TXMLElementIndex::TXMLElementIndex(const TXMLDocument& document) {
  pugi::xml_node root = document.data_->doc.document_element();
  if (!root) return;
  // Pre-order walk without recursion, so deep documents cannot exhaust the stack.
  pugi::xml_node node = root;
  while (node) {
    if (node.type() == pugi::node_element)
      first_.try_emplace(node.name(), TXMLNode(document.data_, node.internal_object()));
    if (node.first_child()) {
      node = node.first_child();
      continue;
    }
    while (node && node != root && !node.next_sibling()) node = node.parent();
    if (!node || node == root) break;
    node = node.next_sibling();
  }
}

TXMLNode TXMLElementIndex::Find(std::string_view name) const {
  auto it = first_.find(name);
  return it == first_.end() ? TXMLNode() : it->second;
}

}  // namespace qv
