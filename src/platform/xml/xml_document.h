#pragma once
// DOM documents in the manner of the Windows XML DOM: load from a file or from
// text, the document element, nodes selected by XPath, attributes, node text
// and child nodes. Texts are UTF-8.
//
//   TXMLDocument doc;
//   doc.LoadFromFile("C:\\Erp\\MultiLanguage\\CHT\\TfrmX.Lng");
//   TXMLNode label = doc.SelectSingleNode("//lblTitle");
//   std::string caption = label.GetAttribute("Caption");
//
// A node is a small handle that shares the content it was taken from: it stays
// valid after its document is loaded again, cleared or destroyed, and then no
// longer belongs to that document.

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/core/exception.h"

namespace pugi {
struct xml_node_struct;
struct xml_attribute_struct;
}  // namespace pugi

namespace qv {

QV_DECLARE_EXCEPTION(EXMLDocError, Exception);

// A document that does not parse. The message names the reason and the place
// ("line 3, column 7"); the parts are kept for callers that want them.
class EXMLParseError : public EXMLDocError {
 public:
  EXMLParseError(std::string reason, std::string source, int line, int column,
                 std::ptrdiff_t offset);
  std::string ClassName() const override { return "EXMLParseError"; }
  const std::string& Reason() const { return reason_; }
  // The file name, or empty for a text.
  const std::string& Source() const { return source_; }
  // 1-based; 0 when the failure has no place (an unsupported encoding).
  int Line() const { return line_; }
  int Column() const { return column_; }
  // Offset in the decoded text; -1 when the failure has no place.
  std::ptrdiff_t Offset() const { return offset_; }

 private:
  std::string reason_;
  std::string source_;
  int line_;
  int column_;
  std::ptrdiff_t offset_;
};

enum class TXMLNodeType {
  ntNone,
  ntElement,
  ntAttribute,
  ntText,
  ntCData,
  ntComment,
  ntProcessingInstr,
  ntDeclaration,
  ntDocType,
  ntDocument
};

struct TXMLDocumentData;

class TXMLNode {
 public:
  // A null node: every read gives an empty result, every change raises.
  TXMLNode() = default;

  bool IsNull() const { return node_ == nullptr && attr_ == nullptr; }
  explicit operator bool() const { return !IsNull(); }
  TXMLNodeType NodeType() const;
  // Elements: the tag; attributes: the attribute name; the document: "#document";
  // text: "#text".
  std::string NodeName() const;
  // Attributes, text, comments: their value; elements and the document: empty.
  std::string NodeValue() const;
  // The text of the node and everything below it, in document order; an
  // attribute's value.
  std::string Text() const;
  // Elements: the children are replaced by one text node (none for an empty
  // text); attributes and text nodes: the value.
  void SetText(std::string_view text);
  // The node's markup without a declaration.
  std::string Xml() const;

  TXMLNode ParentNode() const;
  TXMLNode FirstChild() const;
  TXMLNode NextSibling() const;
  std::vector<TXMLNode> ChildNodes() const;
  // The first child element of that tag; null when none.
  TXMLNode ChildElement(std::string_view name) const;

  // Attributes of an element, in document order. A node that is no element
  // has none.
  int AttributeCount() const;
  // Null when the index is out of range.
  TXMLNode Attribute(int index) const;
  TXMLNode AttributeNode(std::string_view name) const;
  std::vector<TXMLNode> Attributes() const;
  bool HasAttribute(std::string_view name) const;
  // Empty when the attribute is missing.
  std::string GetAttribute(std::string_view name) const;
  // Adds the attribute when it is missing.
  void SetAttribute(std::string_view name, std::string_view value);
  bool RemoveAttribute(std::string_view name);

  // A new element appended as the last child of this element (or of the
  // document, as its document element when it has none).
  TXMLNode AppendElement(std::string_view name);

  // XPath from this node. An expression that does not compile raises
  // EXMLDocError; a result that is no node set raises as well.
  TXMLNode SelectSingleNode(std::string_view xpath) const;
  std::vector<TXMLNode> SelectNodes(std::string_view xpath) const;

  friend bool operator==(const TXMLNode& a, const TXMLNode& b) {
    return a.node_ == b.node_ && a.attr_ == b.attr_;
  }

 private:
  friend class TXMLDocument;
  friend class TXMLElementIndex;
  TXMLNode(std::shared_ptr<TXMLDocumentData> doc, pugi::xml_node_struct* node,
           pugi::xml_attribute_struct* attr = nullptr)
      : doc_(std::move(doc)), node_(node), attr_(attr) {}
  void RequireElement(const char* operation) const;

  std::shared_ptr<TXMLDocumentData> doc_;
  pugi::xml_node_struct* node_ = nullptr;  // the element, or the attribute's element
  pugi::xml_attribute_struct* attr_ = nullptr;
};

class TXMLDocument {
 public:
  // An empty document.
  TXMLDocument();
  ~TXMLDocument();
  TXMLDocument(TXMLDocument&&) noexcept;
  TXMLDocument& operator=(TXMLDocument&&) noexcept;

  // Reads a Windows-style or native path. The bytes are decoded by their
  // byte-order mark or their declared encoding (UTF-8, UTF-16, UTF-32,
  // GB2312/GBK/GB18030, Big5, Windows and ISO code pages). A file that cannot
  // be read raises EFOpenError, an unknown encoding or a document that does
  // not parse EXMLParseError; the document is then empty.
  void LoadFromFile(const std::string& fileName);
  // The same for bytes already in memory.
  void LoadFromBytes(std::string_view bytes);
  // Text that is already decoded: a declared encoding is not applied.
  void LoadFromText(std::string_view utf8);
  void Clear();

  // No document element.
  bool IsEmpty() const;
  TXMLNode DocumentElement() const;
  // The document node itself (the parent of the document element).
  TXMLNode DocumentNode() const;
  TXMLNode SelectSingleNode(std::string_view xpath) const;
  std::vector<TXMLNode> SelectNodes(std::string_view xpath) const;
  // The whole document as UTF-8 markup, declaration included when it has one.
  std::string Xml() const;

 private:
  friend class TXMLElementIndex;
  void Parse(std::string_view bytes, bool decoded, const std::string& source);

  std::shared_ptr<TXMLDocumentData> data_;
};

// The first element of every tag name in document order, gathered in one
// pass: the answer of "//name" for every name at once. Tags compare with
// case, as in XPath.
class TXMLElementIndex {
 public:
  TXMLElementIndex() = default;
  explicit TXMLElementIndex(const TXMLDocument& document);

  // Null when no element has that tag.
  TXMLNode Find(std::string_view name) const;
  std::size_t Size() const { return first_.size(); }

 private:
  struct Hash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
  };
  std::unordered_map<std::string, TXMLNode, Hash, std::equal_to<>> first_;
};

}  // namespace qv
