#pragma once

#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace backendtest {

struct HttpPage {
    std::string body;
    std::string extraHeaders; // each line ending in "\r\n"
};

// An HTTP/1.0 server of fixed pages on 127.0.0.1 that records the paths asked
// for. Each connection has a thread: the engine opens connections ahead of
// need, and one that never sends a request must not hold up the others.
class LoopbackHttpServer {
public:
    explicit LoopbackHttpServer(std::map<std::string, HttpPage> pages);
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;
    ~LoopbackHttpServer();

    std::string url(const std::string& path) const;
    bool wasRequested(const std::string& path) const;

private:
    void serve();
    void answer(int connection);

    const std::map<std::string, HttpPage> pages_;
    int listener_ = -1;
    int port_ = 0;
    mutable std::mutex mutex_;
    std::vector<std::string> requested_;
    std::vector<int> openConnections_;
    std::vector<std::jthread> connectionThreads_;
    std::jthread thread_;
};

} // namespace backendtest
