#pragma once

#include <libsoup/soup.h>

#include <algorithm>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace backendtest {

// Fixed pages on 127.0.0.1 (those below /attachments/ answered as downloads), served from the main context that the
// tests' event loop runs, with a record of the paths asked for.
class LoopbackHttpServer {
public:
    explicit LoopbackHttpServer(std::map<std::string, std::string> pages) : m_pages(std::move(pages))
    {
        soup_server_add_handler(m_server.get(), nullptr, &LoopbackHttpServer::answer, this, nullptr);
        g_autoptr(GError) error = nullptr;
        if (!soup_server_listen_local(m_server.get(), 0, SOUP_SERVER_LISTEN_IPV4_ONLY, &error))
            throw std::runtime_error(error->message);
        g_autoslist(GUri) uris = soup_server_get_uris(m_server.get());
        m_port = g_uri_get_port(static_cast<GUri*>(uris->data));
    }

    std::string url(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(m_port) + path; }
    bool wasRequested(const std::string& path) const
    {
        return std::ranges::find(m_requested, path) != m_requested.end();
    }

private:
    static void answer(SoupServer*, SoupServerMessage* message, const char* path, GHashTable*, gpointer self)
    {
        auto& server = *static_cast<LoopbackHttpServer*>(self);
        server.m_requested.emplace_back(path);
        const auto page = server.m_pages.find(path);
        const bool found = page != server.m_pages.end();
        const std::string body = found ? page->second : "not here";
        soup_server_message_set_status(message, found ? SOUP_STATUS_OK : SOUP_STATUS_NOT_FOUND, nullptr);
        SoupMessageHeaders* headers = soup_server_message_get_response_headers(message);
        soup_message_headers_append(headers, "Cache-Control", "no-store");
        if (std::string_view(path).starts_with("/attachments/"))
            soup_message_headers_append(headers, "Content-Disposition", "attachment");
        soup_server_message_set_response(
            message, "text/html; charset=utf-8", SOUP_MEMORY_COPY, body.data(), body.size());
    }

    const std::map<std::string, std::string> m_pages;
    // Its connections close with it, so none reaches the handler afterwards.
    const std::unique_ptr<SoupServer, void (*)(SoupServer*)> m_server { soup_server_new(nullptr, nullptr),
        [](SoupServer* server) {
            soup_server_disconnect(server);
            g_object_unref(server);
        } };
    int m_port = 0;
    std::vector<std::string> m_requested;
};

} // namespace backendtest
