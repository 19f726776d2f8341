#include "platform/xml/xml_document.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/text/code_page.h"
#include "platform/text/unicode.h"
#include "support/temp_install.h"

namespace qv {
namespace {

using namespace std::string_literals;

std::vector<std::string> Names(const std::vector<TXMLNode>& nodes) {
  std::vector<std::string> names;
  for (const TXMLNode& n : nodes) names.push_back(n.NodeName());
  return names;
}

constexpr const char* kPackage =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<TfrmX Caption=\"Window\" Hint=\"h\">\n"
    "  <Panel1 Caption=\"outer\">\n"
    "    <lblName Caption=\"first\" Font.Name=\"Tahoma\"/>\n"
    "  </Panel1>\n"
    "  <lblName Caption=\"second\"/>\n"
    "  <sMsg Msg=\"Hello &amp; bye\"/>\n"
    "  <sNoMsg Other=\"x\"/>\n"
    "  <note>one <b>two</b> three<!-- skipped --></note>\n"
    "</TfrmX>\n";

TEST(XMLDocumentTest, ReadsElementsAttributesAndText) {
  TXMLDocument doc;
  doc.LoadFromText(kPackage);
  ASSERT_FALSE(doc.IsEmpty());

  TXMLNode root = doc.DocumentElement();
  EXPECT_EQ(root.NodeType(), TXMLNodeType::ntElement);
  EXPECT_EQ(root.NodeName(), "TfrmX");
  ASSERT_EQ(root.AttributeCount(), 2);
  EXPECT_EQ(root.Attribute(0).NodeName(), "Caption");
  EXPECT_EQ(root.Attribute(1).NodeValue(), "h");
  EXPECT_TRUE(root.Attribute(2).IsNull());
  EXPECT_TRUE(root.Attribute(-1).IsNull());
  EXPECT_EQ(root.GetAttribute("Missing"), "");
  EXPECT_EQ(Names(root.ChildNodes()),
            (std::vector<std::string>{"Panel1", "lblName", "sMsg", "sNoMsg", "note"}));
  EXPECT_EQ(root.ParentNode().NodeType(), TXMLNodeType::ntDocument);

  // The first element of that tag anywhere, in document order.
  TXMLNode label = doc.SelectSingleNode("//lblName");
  EXPECT_EQ(label.GetAttribute("Caption"), "first");
  EXPECT_EQ(label.GetAttribute("Font.Name"), "Tahoma");
  EXPECT_EQ(label.ParentNode().NodeName(), "Panel1");
  EXPECT_EQ(doc.SelectNodes("//lblName").size(), 2u);

  TXMLNode msg = root.SelectSingleNode("//sMsg/@Msg");
  EXPECT_EQ(msg.NodeType(), TXMLNodeType::ntAttribute);
  EXPECT_EQ(msg.Text(), "Hello & bye");
  EXPECT_TRUE(root.SelectSingleNode("//sNoMsg/@Msg").IsNull());
  EXPECT_TRUE(root.SelectSingleNode("//sMissing/@Msg").IsNull());

  // Text gathers the text below the node, without comments.
  EXPECT_EQ(doc.SelectSingleNode("//note").Text(), "one two three");
}

TEST(XMLDocumentTest, NullNodesReadAsEmpty) {
  TXMLNode none;
  EXPECT_TRUE(none.IsNull());
  EXPECT_EQ(none.NodeName(), "");
  EXPECT_EQ(none.Text(), "");
  EXPECT_EQ(none.AttributeCount(), 0);
  EXPECT_TRUE(none.ChildNodes().empty());
  EXPECT_TRUE(none.SelectSingleNode("//x").IsNull());
  EXPECT_THROW(none.SetAttribute("a", "b"), EXMLDocError);

  TXMLDocument empty;
  EXPECT_TRUE(empty.IsEmpty());
  EXPECT_TRUE(empty.DocumentElement().IsNull());
  EXPECT_TRUE(empty.SelectSingleNode("//x").IsNull());
}

TEST(XMLDocumentTest, BadXPathRaises) {
  TXMLDocument doc;
  doc.LoadFromText("<a><b/></a>");
  EXPECT_THROW(doc.SelectSingleNode("//["), EXMLDocError);
  EXPECT_THROW(doc.SelectNodes("count(//b)"), EXMLDocError);
}

TEST(XMLDocumentTest, ParseErrorNamesReasonAndPlace) {
  TXMLDocument doc;
  doc.LoadFromText("<a x=\"1\"/>");
  try {
    doc.LoadFromText("<root>\n  <open>\n</root>");
    FAIL() << "no error";
  } catch (const EXMLParseError& e) {
    EXPECT_EQ(e.Line(), 3);
    EXPECT_EQ(e.Column(), 3);
    EXPECT_FALSE(e.Reason().empty());
    EXPECT_NE(e.Message().find(e.Reason()), std::string::npos);
    EXPECT_NE(e.Message().find("line 3, column 3"), std::string::npos);
  }
  // A failed load leaves no half document behind.
  EXPECT_TRUE(doc.IsEmpty());

  EXPECT_THROW(doc.LoadFromText(""), EXMLParseError);
  EXPECT_THROW(doc.LoadFromText("<!-- only a comment -->"), EXMLParseError);
  EXPECT_THROW(doc.LoadFromText("<a></b>"), EXMLParseError);
}

// The same document stored in different encodings reads the same.
TEST(XMLDocumentTest, HonoursByteOrderMarkAndDeclaredEncoding) {
  const std::string simplified = "选择间距编号";
  const std::string traditional = "選擇間距編號";
  auto declared = [](const std::string& encoding, const std::string& text, int cp) {
    return "<?xml version=\"1.0\" encoding=\"" + encoding + "\"?><r t=\"" +
           Utf8ToCodePage(text, cp) + "\">" + Utf8ToCodePage(text, cp) + "</r>";
  };
  auto utf16 = [](const std::string& utf8, bool bigEndian, bool bom) {
    std::u16string wide = (bom ? u"\uFEFF" : u"") + Utf8ToUtf16(utf8);
    std::string bytes;
    for (char16_t c : wide) {
      const char hi = static_cast<char>(c >> 8), lo = static_cast<char>(c & 0xFF);
      bytes += bigEndian ? std::string{hi, lo} : std::string{lo, hi};
    }
    return bytes;
  };
  const std::string plain = "<r t=\"" + simplified + "\">" + simplified + "</r>";
  struct Case {
    const char* name;
    std::string bytes;
    std::string expected;
  };
  const Case cases[] = {
      {"UTF-8 without declaration", plain, simplified},
      {"UTF-8 with byte-order mark", "\xEF\xBB\xBF" + plain, simplified},
      {"declared UTF-8", declared("UTF-8", simplified, CP_UTF8), simplified},
      {"declared GB2312", declared("GB2312", simplified, 936), simplified},
      {"declared gbk, lower case", declared("gbk", simplified, 936), simplified},
      {"declared GB18030", declared("GB18030", simplified, 54936), simplified},
      {"declared Big5", declared("Big5", traditional, 950), traditional},
      {"declared in single quotes",
       "<?xml version='1.0' encoding='big5'?><r t='" + Utf8ToCodePage(traditional, 950) + "'>" +
           Utf8ToCodePage(traditional, 950) + "</r>",
       traditional},
      {"declared windows-1252", declared("windows-1252", "café", 1252), "café"},
      {"UTF-16LE with byte-order mark", utf16(plain, false, true), simplified},
      {"UTF-16BE with byte-order mark", utf16(plain, true, true), simplified},
      {"UTF-16LE declared, no byte-order mark",
       utf16("<?xml version=\"1.0\" encoding=\"UTF-16\"?>" + plain, false, false), simplified},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TXMLDocument doc;
    ASSERT_NO_THROW(doc.LoadFromBytes(c.bytes));
    EXPECT_EQ(doc.DocumentElement().Text(), c.expected);
    EXPECT_EQ(doc.DocumentElement().GetAttribute("t"), c.expected);
  }
}

TEST(XMLDocumentTest, UnknownEncodingIsAnError) {
  TXMLDocument doc;
  try {
    doc.LoadFromBytes("<?xml version=\"1.0\" encoding=\"x-klingon\"?><r/>");
    FAIL() << "no error";
  } catch (const EXMLParseError& e) {
    EXPECT_NE(e.Message().find("x-klingon"), std::string::npos);
  }
}

TEST(XMLDocumentTest, TextLoadIgnoresDeclaredEncoding) {
  // Text is already decoded; only files and bytes are decoded by declaration.
  TXMLDocument doc;
  doc.LoadFromText("<?xml version=\"1.0\" encoding=\"GB2312\"?><r>选择</r>");
  EXPECT_EQ(doc.DocumentElement().Text(), "选择");
}

TEST(XMLDocumentTest, LoadsFilesByWindowsAndNativePath) {
  ravlet::testing::TempInstall install;
  install.WriteFile("Erp/MultiLanguage/CHT/TfrmX.Lng",
                    "<?xml version=\"1.0\" encoding=\"Big5\"?><TfrmX Caption=\"" +
                        Utf8ToCodePage("選擇", 950) + "\"/>");
  for (const std::string& path : {"D:\\erp\\MultiLanguage\\CHT\\TfrmX.Lng"s,
                                  install.Path("Erp/MultiLanguage/CHT/TfrmX.Lng").string()}) {
    SCOPED_TRACE(path);
    TXMLDocument doc;
    doc.LoadFromFile(path);
    EXPECT_EQ(doc.DocumentElement().GetAttribute("Caption"), "選擇");
  }

  TXMLDocument doc;
  EXPECT_THROW(doc.LoadFromFile("D:\\Erp\\Missing.Lng"), EFOpenError);
  EXPECT_THROW(doc.LoadFromFile("D:\\Erp"), EFOpenError);

  install.WriteFile("Erp/Broken.Lng", "<a>\n<b></a>");
  try {
    doc.LoadFromFile("D:\\Erp\\Broken.Lng");
    FAIL() << "no error";
  } catch (const EXMLParseError& e) {
    EXPECT_EQ(e.Source(), "D:\\Erp\\Broken.Lng");
    EXPECT_NE(e.Message().find("D:\\Erp\\Broken.Lng"), std::string::npos);
    EXPECT_EQ(e.Line(), 2);
  }
}

TEST(XMLDocumentTest, BuildsAndPrintsDocuments) {
  TXMLDocument doc;
  doc.LoadFromText("<?xml version=\"1.0\" encoding=\"GB2312\"?><Root/>");
  TXMLNode root = doc.DocumentElement();
  TXMLNode r1 = root.AppendElement("R1");
  r1.SetAttribute("ID", "u1");
  r1.SetAttribute("Name", "张三 <\"&\">");
  r1.SetAttribute("ID", "u2");
  EXPECT_EQ(r1.GetAttribute("ID"), "u2");
  EXPECT_EQ(r1.AttributeCount(), 2);
  EXPECT_EQ(root.Xml(), "<Root><R1 ID=\"u2\" Name=\"张三 &lt;&quot;&amp;&quot;>\"/></Root>");
  EXPECT_EQ(doc.Xml(),
            "<?xml version=\"1.0\" encoding=\"GB2312\"?><Root><R1 ID=\"u2\" "
            "Name=\"张三 &lt;&quot;&amp;&quot;>\"/></Root>");
  EXPECT_TRUE(r1.RemoveAttribute("ID"));
  EXPECT_FALSE(r1.RemoveAttribute("ID"));

  r1.SetText("a<b");
  EXPECT_EQ(r1.Text(), "a<b");
  r1.SetText("");
  EXPECT_TRUE(r1.ChildNodes().empty());

  // One document element only.
  EXPECT_THROW(doc.DocumentNode().AppendElement("Second"), EXMLDocError);
  TXMLDocument fresh;
  EXPECT_EQ(fresh.DocumentNode().AppendElement("Only").NodeName(), "Only");
  EXPECT_EQ(fresh.DocumentElement().NodeName(), "Only");
}

TEST(XMLDocumentTest, NodesOutliveTheirDocument) {
  TXMLNode kept;
  {
    TXMLDocument doc;
    doc.LoadFromText("<a><b c=\"d\"/></a>");
    kept = doc.SelectSingleNode("//b/@c");
    doc.LoadFromText("<other/>");
  }
  EXPECT_EQ(kept.Text(), "d");
}

TEST(XMLElementIndexTest, AnswersLikeDescendantSelection) {
  TXMLDocument doc;
  doc.LoadFromText(
      "<TfrmX><pn><lbl a=\"1\"/><TfrmX inner=\"y\"/></pn><lbl a=\"2\"/><LBL a=\"3\"/>"
      "<deep><deeper><leaf/></deeper></deep><leaf x=\"2\"/></TfrmX>");
  TXMLElementIndex index(doc);
  for (const char* name : {"TfrmX", "pn", "lbl", "LBL", "deep", "deeper", "leaf", "none", "Lbl"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(index.Find(name), doc.SelectSingleNode("//"s + name));
  }
  EXPECT_EQ(index.Find("lbl").GetAttribute("a"), "1");
  EXPECT_EQ(index.Find("TfrmX"), doc.DocumentElement());
  EXPECT_EQ(index.Size(), 7u);
  EXPECT_EQ(TXMLElementIndex(TXMLDocument()).Size(), 0u);
}

}  // namespace
}  // namespace qv
