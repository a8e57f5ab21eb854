// XML parser: a skin-like document in each encoding, references, and malformed input.
#include <doctest.h>

#include <string>
#include <vector>

#include "uilib/xml/XmlDocument.h"

namespace {

const char kSkin[] =
    "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\" standalone=\"yes\" ?>\r\n"
    "<!-- the confirmation window -->\r\n"
    "<Window size=\"360,180\" caption='0,0,0,120'>\r\n"
    "  <Font id=\"0\" name=\"微软雅黑\" size=\"14\" default=\"true\"/>\r\n"
    "  <Default name=\"VScrollBar\" value=\"width=&quot;8&quot; thumbimage=&quot;file='a.png'&quot;\" />\r\n"
    "  <VerticalLayout bkcolor=\"#FFFFFFFF\">\r\n"
    "    <Text name=\"title\" text=\"提示 &lt;&amp;&gt; &#x4E2D;&#25991;\" tip='it&apos;s'/>\r\n"
    "    <?builder ignore-me?>\r\n"
    "    <Button name=\"btn_ok\" text=\"确定\"><![CDATA[a < b && c]]>&#128512;</Button>\r\n"
    "  </VerticalLayout>\r\n"
    "</Window>\r\n"
    "<!-- trailing comment -->\r\n";

std::string Utf16WithBom(const std::string& utf8) {
    std::wstring wide;
    // A tiny UTF-8 decoder is enough for the fixture (no invalid sequences in it).
    for (size_t i = 0; i < utf8.size();) {
        unsigned char c = static_cast<unsigned char>(utf8[i]);
        unsigned cp = c;
        int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
        if (extra) cp = c & (0x3F >> extra);
        for (int k = 1; k <= extra; ++k) cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        i += 1 + extra;
        if (cp == 0xFEFF) continue;
        wide.push_back(static_cast<wchar_t>(cp));
    }
    std::string bytes = "\xFF\xFE";
    for (wchar_t w : wide) {
        bytes.push_back(static_cast<char>(w & 0xFF));
        bytes.push_back(static_cast<char>(w >> 8));
    }
    return bytes;
}

void CheckSkinTree(const CXmlNode& root) {
    CHECK(root.name == L"Window");
    CHECK(std::wstring(root.Attribute(L"size")) == L"360,180");
    CHECK(std::wstring(root.Attribute(L"caption")) == L"0,0,0,120");
    CHECK(root.Attribute(L"missing") == nullptr);
    REQUIRE(root.children.size() == 3);
    CHECK(std::wstring(root.children[0].Attribute(L"name")) == L"微软雅黑");
    CHECK(std::wstring(root.children[1].Attribute(L"value")) == L"width=\"8\" thumbimage=\"file='a.png'\"");
    const CXmlNode& layout = root.children[2];
    REQUIRE(layout.children.size() == 2);
    const CXmlNode& title = layout.children[0];
    CHECK(title.name == L"Text");
    REQUIRE(title.attributes.size() == 3);
    CHECK(title.attributes[0].first == L"name");
    CHECK(title.attributes[1].second == L"提示 <&> 中文");
    CHECK(std::wstring(title.Attribute(L"tip")) == L"it's");
    CHECK(layout.children[1].text == L"a < b && c\U0001F600");
    CHECK(layout.children[1].children.empty());
}

bool Parses(const std::string& doc, CXmlNode* root = nullptr, std::wstring* error = nullptr) {
    CXmlNode local;
    return ParseXml(doc.data(), doc.size(), root ? *root : local, error);
}

}  // namespace

TEST_CASE("xml: a skin-like document parses the same in UTF-8, UTF-8 with BOM and UTF-16") {
    const std::string withBom(kSkin);
    const std::string docs[] = {withBom, withBom.substr(3), Utf16WithBom(withBom)};
    for (const std::string& doc : docs) {
        CAPTURE(doc.size());
        CXmlNode root;
        std::wstring error;
        REQUIRE_MESSAGE(Parses(doc, &root, &error), std::string(error.begin(), error.end()));
        CheckSkinTree(root);
    }
}

TEST_CASE("xml: references and whitespace in attribute values") {
    struct Case { const char* value; const wchar_t* expected; } cases[] = {
        {"&lt;&gt;&amp;&apos;&quot;", L"<>&'\""},
        {"&#65;&#x42;&#X43;", nullptr},  // an upper-case X is not a hexadecimal reference
        {"&#x10FFFF;", L"\U0010FFFF"},
        {"a\tb\nc", L"a b c"},
        {"&#9;", L"\t"},
        {"single 'quotes' inside", L"single 'quotes' inside"},
        {"", L""},
        {"&#0;", nullptr},
        {"&#xD800;", nullptr},
        {"&#x110000;", nullptr},
        {"&nbsp;", nullptr},
        {"&amp", nullptr},
        {"&;", nullptr},
        {"a<b", nullptr},
    };
    for (const Case& c : cases) {
        CAPTURE(c.value);
        CXmlNode root;
        std::string doc = std::string("<a v=\"") + c.value + "\"/>";
        bool ok = Parses(doc, &root);
        CHECK(ok == (c.expected != nullptr));
        if (ok && c.expected) CHECK(std::wstring(root.Attribute(L"v")) == c.expected);
    }
}

TEST_CASE("xml: malformed documents fail with a message") {
    const char* cases[] = {
        "", "   ", "plain text", "<", "<a", "<a>", "<a></b>", "<a><b></a></b>", "<a/><b/>", "<a/>text",
        "<a x=1/>", "<a x=\"1/>", "<a x='1\"/>", "<a x/>", "<a x=\"1\" x=\"2\"/>", "<a x=\"1\"y=\"2\"/>",
        "<a><!-- open</a>", "<a><![CDATA[ open</a>", "<a><?pi </a>", "<!-- only a comment -->",
        "<?xml version=\"1.0\"", "<1a/>", "<a></a >x", "<a>&bogus;</a>", "<a></>", "<!DOCTYPE a [ <a/>",
        "\xFF\xFE<\0a\0", "<a>\xC3\x28</a>", "<a>\xE4\xB8</a>",
    };
    for (const char* c : cases) {
        CAPTURE(c);
        std::string doc(c);
        if (doc.rfind("\xFF\xFE", 0) == 0) doc.assign(c, 6);
        std::wstring error;
        CXmlNode root;
        CHECK_FALSE(Parses(doc, &root, &error));
        CHECK_FALSE(error.empty());
        CHECK(root.name.empty());
    }
}

TEST_CASE("xml: nesting is limited, deep input fails quickly") {
    struct Case { int depth; bool ok; } cases[] = {{1, true}, {kXmlMaxDepth, true}, {kXmlMaxDepth + 1, false}, {200000, false}};
    for (const Case& c : cases) {
        CAPTURE(c.depth);
        std::string doc;
        for (int i = 0; i < c.depth; ++i) doc += "<n>";
        for (int i = 0; i < c.depth; ++i) doc += "</n>";
        CHECK(Parses(doc) == c.ok);
    }
}

TEST_CASE("xml: every truncation of a good document fails, none crashes") {
    const std::string doc = std::string(kSkin).substr(0, std::string(kSkin).find("</Window>") + 9);
    REQUIRE(Parses(doc));
    for (size_t cut = 0; cut < doc.size(); ++cut) {
        CAPTURE(cut);
        CHECK_FALSE(Parses(doc.substr(0, cut)));
    }
}

TEST_CASE("xml: a DOCTYPE, text and nested children are kept") {
    CXmlNode root;
    REQUIRE(Parses("<!DOCTYPE r [<!ENTITY x \"y\">]><r>one<c/>two<c>in</c></r>", &root));
    CHECK(root.text == L"onetwo");
    REQUIRE(root.children.size() == 2);
    CHECK(root.children[1].text == L"in");
}
