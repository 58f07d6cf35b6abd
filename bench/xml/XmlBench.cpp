// The XML reader on one file, for bench/xml/run-bench.
//   xml_bench.exe load FILE         loads and parses the file once (whole-process timing)
//   xml_bench.exe parse FILE RUNS   parses the bytes in memory RUNS times; prints the median
// Both print the number of elements and attributes, which run-bench checks against the peers.
#include <windows.h>
#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <vector>
#include "LocalFileIO.h"
#include "XmlDocument.h"

namespace {

double Now()
{
    LARGE_INTEGER frequency, t;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&t);
    return double(t.QuadPart) / double(frequency.QuadPart);
}

void Count(const XmlNode& root, size_t& elements, size_t& attributes)
{
    std::vector<const XmlNode*> stack = {&root};
    while (!stack.empty()) {
        const XmlNode* node = stack.back();
        stack.pop_back();
        if (node->kind == XML_NODE_ELEMENT) {
            ++elements;
            attributes += node->attributes.size();
        }
        for (const XmlNode& child : node->children)
            stack.push_back(&child);
    }
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: xml_bench load|parse FILE [RUNS]\n");
        return 2;
    }
    XmlDocument document;
    if (std::wcscmp(argv[1], L"load") == 0) {
        if (!XmlLoadFile(&document, argv[2])) {
            std::fprintf(stderr, "xml_bench: cannot load the file\n");
            return 1;
        }
    } else {
        const int runs = argc > 3 ? _wtoi(argv[3]) : 5;
        std::vector<char> bytes;
        const int64_t size = GetLocalFileIO().GetPathSize(argv[2]);
        if (size <= 0)
            return 1;
        bytes.resize(size_t(size));
        if (GetLocalFileIO().ReadWholeFile(argv[2], bytes.data(), DWORD(size)) != DWORD(size))
            return 1;
        std::vector<double> times;
        for (int run = 0; run < std::max(runs, 1); ++run) {
            document.Clear(); // the last run's tree is not part of this one's time
            const double t0 = Now();
            const bool parsed = XmlParseBuffer(&document, bytes.data(), bytes.size());
            times.push_back(Now() - t0);
            if (!parsed)
                return 1;
        }
        std::sort(times.begin(), times.end());
        std::printf("parse_seconds %.6f\n", times[times.size() / 2]);
    }
    size_t elements = 0, attributes = 0;
    Count(document, elements, attributes);
    std::printf("elements %lu attributes %lu\n", (unsigned long)elements, (unsigned long)attributes);
    return 0;
}
