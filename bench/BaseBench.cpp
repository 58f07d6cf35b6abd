// Strings and containers of the base library against the C++ standard library, same input,
// same run: appending in a loop, and insert/find of 1,000,000 keys.
//   build/wine-run build/bench/base_bench.exe
#include <windows.h>
#include <algorithm>
#include <cstdio>
#include <map>
#include <numeric>
#include <random>
#include <set>
#include <string>
#include <vector>
#include "TMap.h"
#include "TString.h"

namespace {

using WString = ALT::TString<wchar_t, 0, 8>;

double Now()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return double(t.QuadPart) / double(frequency.QuadPart);
}

// Best of a few runs, the two sides taking turns so that both see the same machine state.
template <class Ours, class Peer>
void Compare(const char* name, Ours ours, Peer peer)
{
    double bestOurs = 1e9, bestPeer = 1e9;
    size_t checkOurs = 0, checkPeer = 0;
    for (int run = 0; run < 3; ++run) {
        double t0 = Now();
        checkOurs = ours();
        double t1 = Now();
        checkPeer = peer();
        double t2 = Now();
        bestOurs = std::min(bestOurs, t1 - t0);
        bestPeer = std::min(bestPeer, t2 - t1);
    }
    std::printf("%-44s %10.1f ms %10.1f ms %7.2f%s\n", name, bestOurs * 1e3, bestPeer * 1e3,
                bestOurs / bestPeer, checkOurs == checkPeer ? "" : "  (results differ!)");
}

std::vector<std::wstring> PathParts()
{
    return {L"C:\\Users", L"\\Public", L"\\Pictures", L"\\Holiday 2023", L"\\IMG_", L"0042.jpg"};
}

} // namespace

int wmain()
{
    std::printf("%-44s %13s %13s %7s\n", "", "ALT", "std", "ratio");

    // Short strings built piece by piece, the common case (paths, messages).
    const std::vector<std::wstring> parts = PathParts();
    Compare("append: 200000 paths of 6 parts", [&] {
        size_t total = 0;
        for (int i = 0; i < 200000; ++i) {
            WString s;
            for (const std::wstring& part : parts)
                s.AppendStr(part.c_str());
            total += size_t(s.GetLength());
        }
        return total;
    }, [&] {
        size_t total = 0;
        for (int i = 0; i < 200000; ++i) {
            std::wstring s;
            for (const std::wstring& part : parts)
                s += part;
            total += s.size();
        }
        return total;
    });

    // One long text grown by small pieces: fixed steps of 8 characters reallocate every
    // few appends, where std::wstring doubles.
    for (int pieces : {10000, 100000, 1000000}) {
        char name[64];
        std::snprintf(name, sizeof name, "append: one text of %d x 10 characters", pieces);
        Compare(name, [&] {
            WString s;
            for (int i = 0; i < pieces; ++i)
                s.AppendStr(L"0123456789");
            return size_t(s.GetLength());
        }, [&] {
            std::wstring s;
            for (int i = 0; i < pieces; ++i)
                s += L"0123456789";
            return s.size();
        });
    }

    const int count = 1000000;
    std::vector<unsigned> keys(count);
    std::iota(keys.begin(), keys.end(), 0u);
    std::shuffle(keys.begin(), keys.end(), std::mt19937(42));
    std::vector<unsigned> probes(keys);
    std::shuffle(probes.begin(), probes.end(), std::mt19937(43));

    ALT::TMap<unsigned, unsigned> ourMap;
    std::map<unsigned, unsigned> peerMap;
    Compare("map: insert 1000000 integer keys", [&] {
        ourMap.RemoveAll();
        for (unsigned k : keys)
            ourMap.Insert(k, k);
        return size_t(ourMap.GetCount());
    }, [&] {
        peerMap.clear();
        for (unsigned k : keys)
            peerMap.emplace(k, k);
        return peerMap.size();
    });
    Compare("map: find 1000000 integer keys", [&] {
        size_t sum = 0;
        for (unsigned k : probes)
            sum += ourMap.Find(k).GetValue();
        return sum;
    }, [&] {
        size_t sum = 0;
        for (unsigned k : probes)
            sum += peerMap.find(k)->second;
        return sum;
    });

    std::vector<WString> ourKeys;
    std::vector<std::wstring> peerKeys;
    ourKeys.reserve(count);
    peerKeys.reserve(count);
    for (unsigned k : keys) {
        wchar_t text[64];
        std::swprintf(text, 64, L"C:\\Pictures\\Album %u\\IMG_%07u.jpg", k % 97, k);
        ourKeys.emplace_back(text);
        peerKeys.emplace_back(text);
    }
    ALT::TMap<WString, ALT::ALT_EMPTY_STRUCT> ourSet;
    std::set<std::wstring> peerSet;
    Compare("set: insert 1000000 path keys", [&] {
        ourSet.RemoveAll();
        for (const WString& k : ourKeys)
            ourSet.Insert(k);
        return size_t(ourSet.GetCount());
    }, [&] {
        peerSet.clear();
        for (const std::wstring& k : peerKeys)
            peerSet.insert(k);
        return peerSet.size();
    });
    Compare("set: find 1000000 path keys", [&] {
        size_t found = 0;
        for (size_t i = count; i-- > 0;)
            found += ourSet.Find(ourKeys[i]).IsEnd() ? 0 : 1;
        return found;
    }, [&] {
        size_t found = 0;
        for (size_t i = count; i-- > 0;)
            found += peerSet.count(peerKeys[i]);
        return found;
    });
    return 0;
}
