#pragma once

#include <libsoup/soup.h>

#include <algorithm>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace backendtest {

// Fixed pages on 127.0.0.1, served from the main context that the tests' event
// loop runs, with a record of the paths asked for.
class LoopbackHttpServer {
public:
    explicit LoopbackHttpServer(std::map<std::string, std::string> pages) : pages_(std::move(pages))
    {
        soup_server_add_handler(server_.get(), nullptr, &LoopbackHttpServer::answer, this, nullptr);
        g_autoptr(GError) error = nullptr;
        if (!soup_server_listen_local(server_.get(), 0, SOUP_SERVER_LISTEN_IPV4_ONLY, &error))
            throw std::runtime_error(error->message);
        g_autoslist(GUri) uris = soup_server_get_uris(server_.get());
        port_ = g_uri_get_port(static_cast<GUri*>(uris->data));
    }

    std::string url(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(port_) + path; }
    bool wasRequested(const std::string& path) const { return std::ranges::find(requested_, path) != requested_.end(); }

private:
    static void answer(SoupServer*, SoupServerMessage* message, const char* path, GHashTable*, gpointer self)
    {
        auto& server = *static_cast<LoopbackHttpServer*>(self);
        server.requested_.emplace_back(path);
        const auto page = server.pages_.find(path);
        const bool found = page != server.pages_.end();
        const std::string body = found ? page->second : "not here";
        soup_server_message_set_status(message, found ? SOUP_STATUS_OK : SOUP_STATUS_NOT_FOUND, nullptr);
        soup_message_headers_append(soup_server_message_get_response_headers(message), "Cache-Control", "no-store");
        soup_server_message_set_response(message, "text/html; charset=utf-8", SOUP_MEMORY_COPY, body.data(), body.size());
    }

    const std::map<std::string, std::string> pages_;
    // Its connections close with it, so none reaches the handler afterwards.
    const std::unique_ptr<SoupServer, void (*)(SoupServer*)> server_ { soup_server_new(nullptr, nullptr),
        [](SoupServer* server) { soup_server_disconnect(server); g_object_unref(server); } };
    int port_ = 0;
    std::vector<std::string> requested_;
};

} // namespace backendtest
