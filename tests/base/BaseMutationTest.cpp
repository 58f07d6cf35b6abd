// Corrupted and truncated variants of valid files, made with a fixed seed, must each end
// cleanly: a result, no crash, no hang, no read or write outside the buffers.
#include <gtest/gtest.h>
#include <lzo/lzo1x.h>
#include <cwchar>
#include <random>
#include <string>
#include <vector>
#include "INIFile.h"
#include "ImageFile.h"
#include "XmlDocument.h"

namespace {

const int kVariants = 3000;

// One to four edits: flipped bits, bytes that mean something to the readers, cut, removed or
// doubled ranges.
std::string Mutate(const std::string& input, std::mt19937& random)
{
    static const char kSpecial[] = "<>/\"'=!?-[];\r\n\\\x00\xEF\xBB\xBF\xFF\xFE\xC0\xF0\x80";
    std::string s = input;
    const int edits = 1 + int(random() % 4);
    for (int e = 0; e < edits && !s.empty(); ++e) {
        const size_t at = random() % s.size();
        const size_t span = 1 + random() % std::min<size_t>(s.size() - at, 64);
        switch (random() % 6) {
        case 0: s[at] = char(s[at] ^ (1 << (random() % 8))); break;
        case 1: s[at] = kSpecial[random() % (sizeof kSpecial - 1)]; break;
        case 2: s.resize(at); break;
        case 3: s.erase(at, span); break;
        case 4: s.insert(at, s.substr(at, span)); break;
        default: s.insert(at, 1, kSpecial[random() % (sizeof kSpecial - 1)]); break;
        }
    }
    return s;
}

std::string Utf16(const std::string& ascii)
{
    std::string bytes = "\xFF\xFE";
    for (char c : ascii) {
        bytes += c;
        bytes += '\0';
    }
    return bytes;
}

const char kXml[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
    "<!DOCTYPE list>\r\n"
    "<FileList Folder=\"Frames\" Count=\"3\">\r\n"
    "  <!-- newest first -->\r\n"
    "  <File Name=\"caf\xC3\xA9.png\" Date=\"2024-05-01\" nSlot=\"2\"/>\r\n"
    "  <File Name = \"a &amp; b.jpg\"\r\n        Date=\"x > y\" />\r\n"
    "  <Group><Item>one</Item><Item>\xF0\x9F\x98\x80</Item><Empty></Empty></Group>\r\n"
    "  <Text>&lt;raw&gt;</Text>\r\n"
    "</FileList>\r\n";

// Every string of the tree lies in the text buffer (count + 1 units) and ends inside it, or is
// the empty string of an unset field.
void CheckTree(const XmlDocument& document, size_t count)
{
    const wchar_t* begin = document.buffer.get();
    const wchar_t* end = begin + count + 1;
    auto check = [&](const wchar_t* p) {
        if (p >= begin && p < end)
            EXPECT_LT(wcsnlen(p, size_t(end - p)), size_t(end - p));
        else
            EXPECT_EQ(*p, 0);
    };
    std::vector<const XmlNode*> stack = {&document};
    while (!stack.empty()) {
        const XmlNode* node = stack.back();
        stack.pop_back();
        check(node->name);
        check(node->value);
        for (const XmlAttribute& attribute : node->attributes) {
            check(attribute.name);
            check(attribute.value);
        }
        for (const XmlNode& child : node->children) {
            EXPECT_EQ(child.parent, node);
            stack.push_back(&child);
        }
    }
}

TEST(Mutation, XmlReader)
{
    std::mt19937 random(20240601);
    const std::string seeds[] = {kXml, "\xEF\xBB\xBF" + std::string(kXml), Utf16(kXml)};
    int parsed = 0;
    for (int i = 0; i < kVariants; ++i) {
        const std::string bytes = Mutate(seeds[i % 3], random);
        XmlDocument document;
        if (XmlParseBuffer(&document, bytes.data(), bytes.size())) {
            ++parsed;
            CheckTree(document, bytes.size());
        } else {
            EXPECT_TRUE(document.children.empty());
        }
    }
    EXPECT_GT(parsed, 0);
}

TEST(Mutation, IniReaderWritesWhatItReads)
{
    const std::string seed =
        "; settings\r\ntop = C:\\Data\r\n[Update]\r\nLatestVersion=2.1.0\r\nQueryPeriod = 12 ; hours\r\n"
        "[Paths]\r\nsemi=\"a;b\" ; note\r\nquote=\"say \"hi\"\"\r\nurl=http://h:80/p\r\n[ open\r\nk==v\r\n";
    std::mt19937 random(7);
    for (int i = 0; i < kVariants; ++i) {
        const std::string bytes = Mutate(seed, random);
        CINIFile first;
        first.AppendText(bytes.data(), uint32_t(bytes.size()));
        first.GetUpdatePeriod();
        ALT::TString<char, 0, 4096> once;
        first.WriteText(once);
        // Once written, the text reads back to itself.
        CINIFile second;
        second.AppendText(once.GetString(), uint32_t(once.GetLength()));
        ALT::TString<char, 0, 4096> twice;
        second.WriteText(twice);
        ASSERT_STREQ(once.GetString(), twice.GetString()) << "variant " << i;
    }
}

TEST(Mutation, CompressedImageLoader)
{
    ASSERT_EQ(lzo_init(), LZO_E_OK);
    std::string plain;
    for (int i = 0; i < 3000; ++i)
        plain += "line " + std::to_string(i % 97) + " of a page\r\n";
    std::string block(4 + plain.size() + plain.size() / 16 + 67, '\0');
    std::vector<uint8_t> work(LZO1X_1_MEM_COMPRESS);
    lzo_uint packed = 0;
    ASSERT_EQ(lzo1x_1_compress(reinterpret_cast<const uint8_t*>(plain.data()), plain.size(),
                               reinterpret_cast<uint8_t*>(&block[4]), &packed, work.data()), LZO_E_OK);
    block.resize(4 + packed);

    std::mt19937 random(99);
    int loaded = 0;
    for (int i = 0; i < kVariants; ++i) {
        const std::string bytes = Mutate(block, random);
        // The caller's size, now and then off by a little.
        const uint32_t size = uint32_t(plain.size()) + (i % 5 == 0 ? int(random() % 9) - 4 : 0);
        // Exactly sized copies, so that a read past the end would leave the block.
        std::vector<uint8_t> exact(bytes.begin(), bytes.end());
        CImageFile image;
        if (image.LoadMemory(size, exact.data(), true, uint32_t(exact.size()))) {
            ++loaded;
            EXPECT_EQ(image.GetSize(), size);
        } else {
            EXPECT_EQ(image.GetMemory(), nullptr);
        }
    }
    // Flipped literal bytes still decompress: some variants load.
    EXPECT_GT(loaded, 0);
}

} // namespace
