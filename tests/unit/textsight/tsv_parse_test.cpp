// Engine TSV → text lines, on small real outputs of the engine and on broken ones.
#include <doctest.h>

#include "TsvParse.h"

using namespace textsight;

namespace {

const char kHeader[] =
    "level\tpage_num\tblock_num\tpar_num\tline_num\tword_num\tleft\ttop\twidth\theight\tconf\ttext\n";

struct ExpectedLine {
    const char* text;
    Box box;
};

struct TsvCase {
    const char* name;
    std::string tsv;
    PictureMapping mapping;
    std::vector<ExpectedLine> lines;
};

std::string WithHeader(const std::string& rows) {
    return kHeader + rows;
}

// From the engine (psm 11, eng+chi_sim) on a 260 × 60 picture enlarged three times.
const char kRealOutput[] = "1\t1\t0\t0\t0\t0\t0\t0\t780\t180\t-1\t\n"
                           "2\t1\t1\t0\t0\t0\t18\t21\t246\t42\t-1\t\n"
                           "4\t1\t1\t1\t1\t0\t18\t21\t246\t42\t-1\t\n"
                           "5\t1\t1\t1\t1\t1\t18\t21\t246\t42\t94.059021\tOpen\n"
                           "5\t1\t1\t1\t1\t2\t118\t17\t59\t50\t94.059021\tthe\n"
                           "5\t1\t1\t1\t1\t3\t193\t21\t71\t42\t96.786491\tfile\n"
                           "2\t1\t2\t0\t0\t0\t18\t96\t237\t36\t-1\t\n"
                           "5\t1\t2\t1\t1\t1\t18\t96\t72\t36\t95.904114\t打开\n"
                           "5\t1\t2\t1\t1\t2\t108\t96\t60\t36\t92.574890\t文件\n"
                           "5\t1\t2\t1\t1\t3\t183\t92\t72\t56\t6.234589\tikS\n";

PictureMapping Plain(int w, int h) {
    return {1.0, 0, w, h};
}

std::vector<TsvCase> Cases() {
    return {
        {"real output: Latin words spaced, CJK joined, low-confidence junk dropped, boxes scaled back",
         WithHeader(kRealOutput),
         {3.0, 0, 260, 60},
         {{"Open the file", {6, 5, 88, 23}}, {"打开文件", {6, 32, 56, 44}}}},
        {"the border is taken off before scaling back",
         WithHeader("5\t1\t1\t1\t1\t1\t32\t22\t60\t30\t91\tSave\n"),
         {2.0, 12, 100, 40},
         {{"Save", {10, 5, 40, 20}}}},
        {"CJK next to Latin: touching means no space, a visible gap means one",
         WithHeader("5\t1\t1\t1\t1\t1\t10\t10\t40\t20\t90\t打开\n"
                    "5\t1\t1\t1\t1\t2\t51\t10\t60\t20\t90\tWindows\n"
                    "5\t1\t1\t1\t1\t3\t121\t10\t40\t20\t90\t设置\n"),
         Plain(300, 50),
         {{"打开Windows 设置", {10, 10, 161, 30}}}},
        {"empty output: only the page, block and line rows, and words of spaces",
         WithHeader("1\t1\t0\t0\t0\t0\t0\t0\t100\t40\t-1\t\n"
                    "5\t1\t1\t1\t1\t1\t10\t10\t20\t10\t95\t \n"
                    "5\t1\t1\t1\t1\t2\t40\t10\t20\t10\t95\t\n"),
         Plain(100, 40),
         {}},
        {"nothing at all", "", Plain(100, 40), {}},
        {"negative boxes are clamped, boxes outside the picture dropped, overhangs cut",
         WithHeader("5\t1\t1\t1\t1\t1\t-9\t-3\t40\t20\t90\tEdit\n"
                    "5\t1\t2\t1\t1\t1\t150\t5\t30\t20\t90\tGhost\n"
                    "5\t1\t3\t1\t1\t1\t70\t50\t50\t20\t90\tView\n"),
         Plain(100, 60),
         {{"Edit", {0, 0, 31, 17}}, {"View", {70, 50, 99, 59}}}},
        {"garbage: wrong column counts, words for numbers, binary bytes",
         "level\tleft\n5\tx\ty\n\x01\x02\xff\xfe garbage\n1\t2\t3\n"
         "5\t1\t1\t1\t1\t1\tten\t10\t20\t10\t95\tWord\n"
         "5\t1\t1\t1\t1\t1\t10\t10\t20\t10\tnan\tWord\n"
         "5\t1\t1\t1\t1\t1\t10\t10\t-4\t10\t95\tWord\n",
         Plain(100, 40),
         {}},
        {"one good row among garbage survives, with Windows line ends",
         "\xff\xfe\r\n5\t1\t1\t1\t1\t1\t10\t10\t20\t10\t95\tOK\r\nxx\r\n",
         Plain(100, 40),
         {{"OK", {10, 10, 30, 20}}}},
        {"reading order: rows top to bottom, far apart labels on one row are separate blocks",
         WithHeader("5\t1\t2\t1\t1\t1\t10\t50\t40\t14\t90\tCancel\n"
                    "5\t1\t3\t1\t1\t1\t200\t12\t50\t14\t90\tValue\n"
                    "5\t1\t1\t1\t1\t1\t10\t10\t40\t14\t90\tName:\n"),
         Plain(300, 80),
         {{"Name:", {10, 10, 50, 24}}, {"Value", {200, 12, 250, 26}}, {"Cancel", {10, 50, 50, 64}}}},
        {"unsure numbers and codes stay, unsure short letter salad goes",
         WithHeader("5\t1\t1\t1\t1\t1\t10\t10\t60\t14\t8.2\t80070005\n"
                    "5\t1\t1\t1\t1\t2\t100\t10\t20\t14\t7\txq\n"
                    "5\t1\t1\t1\t1\t3\t140\t10\t20\t14\t3\t42\n"),
         Plain(200, 40),
         {{"80070005", {10, 10, 70, 24}}, {"42", {140, 10, 160, 24}}}},
        {"separators read as punctuation or as a thin letter are noise",
         WithHeader("5\t1\t1\t1\t1\t1\t5\t0\t3\t30\t35\t|\n"
                    "5\t1\t1\t1\t1\t2\t20\t0\t2\t30\t30\tl\n"
                    "5\t1\t1\t1\t1\t3\t40\t5\t30\t20\t30\t—\n"
                    "5\t1\t1\t1\t1\t4\t80\t5\t4\t20\t93\t||\n"
                    "5\t1\t1\t1\t1\t5\t90\t5\t4\t20\t91\t[|\n"),
         Plain(100, 40),
         {}},
    };
}

} // namespace

TEST_CASE("engine TSV becomes text lines in picture pixels and reading order") {
    for (const TsvCase& c : Cases()) {
        CAPTURE(c.name);
        std::vector<TextLine> lines = LinesFromTsv(c.tsv, c.mapping);
        REQUIRE(lines.size() == c.lines.size());
        for (size_t i = 0; i < lines.size(); ++i) {
            CAPTURE(i);
            CHECK(lines[i].text == c.lines[i].text);
            CHECK(lines[i].box.left == c.lines[i].box.left);
            CHECK(lines[i].box.top == c.lines[i].box.top);
            CHECK(lines[i].box.right == c.lines[i].box.right);
            CHECK(lines[i].box.bottom == c.lines[i].box.bottom);
        }
    }
}

TEST_CASE("a line's confidence is the mean of its words'") {
    std::vector<TextLine> lines = LinesFromTsv(WithHeader("5\t1\t1\t1\t1\t1\t10\t10\t20\t10\t90\tab\n"
                                                          "5\t1\t1\t1\t1\t2\t33\t10\t20\t10\t71\tcd\n"),
                                               Plain(100, 40));
    REQUIRE(lines.size() == 1);
    CHECK(lines[0].confidence == 81);
}

TEST_CASE("punctuation after Chinese text is Chinese punctuation") {
    struct {
        const char* in;
        const char* out;
    } cases[] = {{"名称:", "名称："},
                 {"所有者 : 管理员", "所有者：管理员"},
                 {"缩放: 125%", "缩放：125%"},
                 {"确定要退出吗?", "确定要退出吗？"},
                 {"正在加载, 请稍候", "正在加载，请稍候"},
                 {"Name: value", "Name: value"},
                 {"版本 2.4.1", "版本 2.4.1"},
                 {": 文件", ": 文件"}};
    for (auto& c : cases) {
        CAPTURE(c.in);
        CHECK(UseChinesePunctuation(c.in) == c.out);
    }
}

TEST_CASE("CJK code points") {
    struct {
        char32_t c;
        bool cjk;
    } cases[] = {{U'文', true}, {U'。', true}, {U'，', true}, {U'Ａ', true},
                 {U'A', false}, {U'é', false}, {U'-', false}, {0x20000, true}};
    for (auto& c : cases) {
        CAPTURE(static_cast<unsigned>(c.c));
        CHECK(IsCjkCodePoint(c.c) == c.cjk);
    }
}
