// SPDX-License-Identifier: GPL-3.0-or-later
// A small HTTP/1.1 server on 127.0.0.1 for tests: it answers one connection
// at a time with what the test's responder returns, records every request,
// and stops (closing any held connection) when it goes out of scope. Nothing
// leaves the machine.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <strings.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace vantor::testing {

struct ReceivedRequest {
  std::string method;
  std::string target;  // as on the request line
  std::string head;    // the header lines, each ending "\r\n"
  std::string body;

  // The values of the headers of that name (any case), in order.
  std::vector<std::string> Headers(const std::string& name) const {
    std::vector<std::string> values;
    size_t start = 0;
    while (start < head.size()) {
      const size_t end = head.find("\r\n", start);
      const std::string line = head.substr(start, end - start);
      const size_t colon = line.find(':');
      if (colon == name.size() && strncasecmp(line.c_str(), name.c_str(), colon) == 0) {
        const size_t value = line.find_first_not_of(' ', colon + 1);
        values.push_back(value == std::string::npos ? std::string() : line.substr(value));
      }
      start = end == std::string::npos ? head.size() : end + 2;
    }
    return values;
  }
  // The value of the first header of that name, or "".
  std::string Header(const std::string& name) const {
    const std::vector<std::string> values = Headers(name);
    return values.empty() ? std::string() : values.front();
  }
};

// The whole response to send; kHold keeps the connection open without a
// byte until the server stops.
inline const std::string kHold = "\x01hold";
// kTrickle sends a response head and then two bytes of body a second, for ever.
inline const std::string kTrickle = "\x01trickle";
using Responder = std::function<std::string(const ReceivedRequest&)>;

// A complete response with Content-Length and Connection: close.
inline std::string HttpReply(int status, const std::string& body, const std::string& extraHeaders = {},
                             const std::string& reason = "Whatever") {
  return "HTTP/1.1 " + std::to_string(status) + " " + reason + "\r\nContent-Length: " + std::to_string(body.size()) +
         "\r\nConnection: close\r\n" + extraHeaders + "\r\n" + body;
}

class LoopbackHttpServer {
 public:
  explicit LoopbackHttpServer(Responder responder) : responder_(std::move(responder)) {
    listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof(address));
    ::listen(listener_, 8);
    socklen_t length = sizeof(address);
    ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { Serve(); });
  }
  ~LoopbackHttpServer() {
    stop_ = true;
    thread_.join();
    ::close(listener_);
  }
  LoopbackHttpServer(const LoopbackHttpServer&) = delete;
  LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

  int Port() const { return port_; }
  std::string Url(const std::string& path = "/") const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
  }
  std::vector<ReceivedRequest> Requests() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_;
  }

 private:
  // Waits for fd to become readable, a slice at a time, while the server runs.
  bool WaitReadable(int fd) const {
    pollfd watched = {fd, POLLIN, 0};
    while (!stop_) {
      if (::poll(&watched, 1, 20) > 0) return true;
    }
    return false;
  }

  void Serve() {
    while (WaitReadable(listener_)) {
      const int connection = ::accept(listener_, nullptr, nullptr);
      if (connection < 0) continue;
      Answer(connection);
      ::close(connection);
    }
  }

  void Answer(int connection) {
    std::string data;
    char buffer[65536];
    size_t headEnd = std::string::npos;
    size_t wanted = 0;
    while (headEnd == std::string::npos || data.size() < headEnd + 4 + wanted) {
      if (!WaitReadable(connection)) return;
      const ssize_t got = ::recv(connection, buffer, sizeof(buffer), 0);
      if (got <= 0) return;
      data.append(buffer, static_cast<size_t>(got));
      if (headEnd == std::string::npos && (headEnd = data.find("\r\n\r\n")) != std::string::npos) {
        ReceivedRequest probe;
        probe.head = data.substr(0, headEnd + 2);
        const std::string length = probe.Header("Content-Length");
        wanted = length.empty() ? 0 : std::stoul(length);
      }
    }
    ReceivedRequest request;
    const size_t lineEnd = data.find("\r\n");
    const std::string line = data.substr(0, lineEnd);
    request.method = line.substr(0, line.find(' '));
    request.target = line.substr(line.find(' ') + 1, line.rfind(' ') - line.find(' ') - 1);
    request.head = data.substr(lineEnd + 2, headEnd + 2 - (lineEnd + 2));
    request.body = data.substr(headEnd + 4, wanted);
    {
      std::lock_guard<std::mutex> lock(mutex_);
      requests_.push_back(request);
    }
    const std::string reply = responder_(request);
    if (reply == kHold) {
      WaitReadable(-1);  // until the server stops
      return;
    }
    if (reply == kTrickle) {
      const std::string head = "HTTP/1.1 200 OK\r\nContent-Length: 1000000\r\n\r\n";
      if (::send(connection, head.data(), head.size(), MSG_NOSIGNAL) <= 0) return;
      for (int slice = 0; !stop_; ++slice) {
        ::poll(nullptr, 0, 20);
        if (slice % 25 == 0 && ::send(connection, "x", 1, MSG_NOSIGNAL) <= 0) return;
      }
      return;
    }
    for (size_t sent = 0; sent < reply.size();) {
      const ssize_t put = ::send(connection, reply.data() + sent, reply.size() - sent, MSG_NOSIGNAL);
      if (put <= 0) return;
      sent += static_cast<size_t>(put);
    }
  }

  Responder responder_;
  int listener_ = -1;
  int port_ = 0;
  std::atomic<bool> stop_{false};
  mutable std::mutex mutex_;
  std::vector<ReceivedRequest> requests_;
  std::thread thread_;
};

}  // namespace vantor::testing
