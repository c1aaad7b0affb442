// A small HTTP server on 127.0.0.1 for the tests of the fetch: scripted raw responses, from a thread of its own.
#pragma once

#include "support/Socket.h"

#include <atomic>
#include <map>
#include <stdexcept>
#include <string>
#include <thread>
#include <utility>

namespace testsupport {

// Answers each request on 127.0.0.1 with the raw response scripted for its path, 404 for any other.
class ServerGrezzo {
public:
    explicit ServerGrezzo(std::map<std::string, std::string> risposte) : risposte_(std::move(risposte))
    {
        ascolto_ = static_cast<int>(::socket(AF_INET, SOCK_STREAM, 0));
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (::bind(ascolto_, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 || ::listen(ascolto_, 8) != 0)
            throw std::runtime_error("server di prova non avviato");
        socklen_t n = sizeof a;
        ::getsockname(ascolto_, reinterpret_cast<sockaddr*>(&a), &n);
        porta_ = ntohs(a.sin_port);
        filo_ = std::thread([this] { servi(); });
    }
    ~ServerGrezzo()
    {
        ::shutdown(ascolto_, ChiusuraCompleta);
        chiudiPresa(ascolto_);
        filo_.join();
    }
    std::string indirizzo(const std::string& percorso) const { return "http://127.0.0.1:" + std::to_string(porta_) + percorso; }
    int richieste() const { return richieste_; }

private:
    void servi()
    {
        for (;;) {
            const int c = static_cast<int>(::accept(ascolto_, nullptr, nullptr));
            if (c < 0)
                return;
            std::string richiesta;
            char b[4096];
            while (richiesta.find("\r\n\r\n") == std::string::npos) {
                const auto letti = ::recv(c, b, static_cast<int>(sizeof b), 0);
                if (letti <= 0)
                    break;
                richiesta.append(b, static_cast<std::size_t>(letti));
            }
            ++richieste_;
            const auto inizio = richiesta.find(' ') + 1;
            const auto r = risposte_.find(richiesta.substr(inizio, richiesta.find(' ', inizio) - inizio));
            const std::string risposta = r != risposte_.end() ? r->second
                : "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
            for (std::size_t scritti = 0; scritti < risposta.size();) {
                const auto n = ::send(c, risposta.data() + scritti, static_cast<int>(risposta.size() - scritti), SenzaSegnali);
                if (n <= 0)
                    break;
                scritti += static_cast<std::size_t>(n);
            }
            chiudiPresa(c);
        }
    }

    std::map<std::string, std::string> risposte_;
    int ascolto_ = -1;
    int porta_ = 0;
    std::atomic<int> richieste_{0};
    std::thread filo_;
};

}
