// The HTTP client against a peer downloader, driven by bench/http/run-bench. This program
// serves one generated file from the tests' loopback server at /big.bin and writes the server's
// base URL to a file. A request for /fetch downloads the file once with CHttpDownload and answers
// "RESULT SECONDS" (the download alone, no process start-up); /quit ends the program. Control
// goes through HTTP because the Wine wrapper gives a program no standard input.
#include <windows.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include "HttpDownload.h"
#include "LoopbackHttpServer.h"

int wmain(int argc, wchar_t** argv)
{
    if (argc < 4) {
        fprintf(stderr, "usage: http_bench SIZE_MB OUTPUT_PATH URL_FILE\n");
        return 2;
    }
    const size_t size = size_t(_wtoi(argv[1])) << 20;
    const wchar_t* output = argv[2];
    auto body = std::make_shared<std::string>(size, '\0');
    uint32_t x = 2463534242u;
    for (size_t i = 0; i + 4 <= size; i += 4) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        memcpy(&(*body)[i], &x, 4);
    }
    testsupport::HttpFile file;
    file.body = body;
    file.lastModified = "Sun, 06 Jun 2021 08:49:37 GMT";
    testsupport::LoopbackHttpServer server;
    if (!server.Start()) {
        fprintf(stderr, "http_bench: the server did not start\n");
        return 1;
    }
    server.ServeFile("/big.bin", file);
    const std::string url = server.Url("/big.bin");
    const std::wstring wideUrl(url.begin(), url.end());
    HANDLE quit = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    server.Handle("/fetch", [&](const testsupport::HttpRequestSeen&, testsupport::HttpReplyChannel& reply) {
        DeleteFileW(output);
        CHttpDownload client;
        LARGE_INTEGER start, end, frequency;
        QueryPerformanceFrequency(&frequency);
        QueryPerformanceCounter(&start);
        const int result = client.Download(wideUrl.c_str(), output);
        QueryPerformanceCounter(&end);
        char text[64];
        snprintf(text, sizeof(text), "%d %.4f", result, double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart));
        reply.Send("HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(strlen(text)) + "\r\n\r\n" + text);
    });
    server.Handle("/quit", [&](const testsupport::HttpRequestSeen&, testsupport::HttpReplyChannel& reply) {
        reply.Send("HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n");
        SetEvent(quit);
    });
    FILE* urlFile = _wfopen(argv[3], L"wb");
    if (!urlFile) {
        fprintf(stderr, "http_bench: cannot write the URL file\n");
        return 1;
    }
    fputs(server.Url("").c_str(), urlFile);
    fclose(urlFile);
    // Bounded, so that a driver that died leaves no server behind for long.
    WaitForSingleObject(quit, 30 * 60 * 1000);
    CloseHandle(quit);
    server.Stop();
    return 0;
}
