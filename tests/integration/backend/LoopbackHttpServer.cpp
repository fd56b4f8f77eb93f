#include "LoopbackHttpServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <stdexcept>

namespace backendtest {

LoopbackHttpServer::LoopbackHttpServer(std::map<std::string, HttpPage> pages) : pages_(std::move(pages))
{
    listener_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (listener_ < 0 || bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0
        || listen(listener_, 16) != 0 || getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        if (listener_ >= 0)
            close(listener_);
        throw std::runtime_error("cannot listen on 127.0.0.1");
    }
    port_ = ntohs(address.sin_port);
    thread_ = std::jthread([this] { serve(); });
}

LoopbackHttpServer::~LoopbackHttpServer()
{
    // Wakes the blocked accept() and recv() calls, ending their threads.
    shutdown(listener_, SHUT_RDWR);
    thread_.join();
    std::vector<std::jthread> threads;
    {
        std::lock_guard lock(mutex_);
        for (const int connection : openConnections_)
            shutdown(connection, SHUT_RDWR);
        threads.swap(connectionThreads_);
    }
    threads.clear(); // joins them
    close(listener_);
}

std::string LoopbackHttpServer::url(const std::string& path) const
{
    return "http://127.0.0.1:" + std::to_string(port_) + path;
}

bool LoopbackHttpServer::wasRequested(const std::string& path) const
{
    std::lock_guard lock(mutex_);
    return std::find(requested_.begin(), requested_.end(), path) != requested_.end();
}

void LoopbackHttpServer::serve()
{
    for (;;) {
        const int connection = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (connection < 0)
            return;
        std::lock_guard lock(mutex_);
        openConnections_.push_back(connection);
        connectionThreads_.emplace_back([this, connection] {
            answer(connection);
            std::lock_guard lock(mutex_);
            std::erase(openConnections_, connection);
            close(connection);
        });
    }
}

void LoopbackHttpServer::answer(int connection)
{
    std::string request;
    char buffer[4096];
    while (request.find("\r\n\r\n") == std::string::npos) {
        const ssize_t received = recv(connection, buffer, sizeof buffer, 0);
        if (received <= 0)
            return;
        request.append(buffer, static_cast<std::size_t>(received));
    }
    const auto pathStart = request.find(' ') + 1;
    const std::string path = request.substr(pathStart, request.find(' ', pathStart) - pathStart);
    {
        std::lock_guard lock(mutex_);
        requested_.push_back(path);
    }

    const auto page = pages_.find(path);
    const bool found = page != pages_.end();
    const HttpPage reply = found ? page->second : HttpPage { "not here", "" };
    const std::string response = std::string(found ? "HTTP/1.0 200 OK\r\n" : "HTTP/1.0 404 Not Found\r\n")
        + "Content-Type: text/html; charset=utf-8\r\nCache-Control: no-store\r\nConnection: close\r\n"
        + "Content-Length: " + std::to_string(reply.body.size()) + "\r\n" + reply.extraHeaders + "\r\n" + reply.body;
    for (std::size_t sent = 0; sent < response.size();) {
        const ssize_t written = send(connection, response.data() + sent, response.size() - sent, MSG_NOSIGNAL);
        if (written <= 0)
            return;
        sent += static_cast<std::size_t>(written);
    }
}

} // namespace backendtest
