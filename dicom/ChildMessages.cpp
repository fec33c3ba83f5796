#include "ChildMessages.h"

#include <cerrno>
#include <string>

#include <poll.h>
#include <sys/socket.h>

namespace {

constexpr size_t lengthBytes = 8;
// No message comes near this; a longer length is a broken stream.
constexpr uint64_t longestMessage = uint64_t{1} << 32;

void putLength(uint8_t* out, uint64_t length)
{
    for (size_t i = 0; i < lengthBytes; ++i) out[i] = static_cast<uint8_t>(length >> (8 * i));
}

uint64_t lengthAt(const uint8_t* in)
{
    uint64_t length = 0;
    for (size_t i = lengthBytes; i-- > 0;) length = length << 8 | in[i];
    return length;
}

bool sendAll(int socket, const uint8_t* data, size_t size, const WaitReady& wait)
{
    for (size_t done = 0; done < size;) {
        // MSG_NOSIGNAL: a child that has ended must not end the program with SIGPIPE.
        const ssize_t put = send(socket, data + done, size - done, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (put > 0) {
            done += static_cast<size_t>(put);
        } else if (put < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (!wait(socket, POLLOUT)) return false;
        } else if (put == 0 || errno != EINTR) {
            return false;
        }
    }
    return true;
}

bool receiveAll(int socket, uint8_t* data, size_t size, const WaitReady& wait)
{
    for (size_t done = 0; done < size;) {
        const ssize_t got = recv(socket, data + done, size - done, MSG_DONTWAIT);
        if (got > 0) {
            done += static_cast<size_t>(got);
        } else if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (!wait(socket, POLLIN)) return false;
        } else if (got == 0 || errno != EINTR) {
            return false;
        }
    }
    return true;
}

template <typename Block>
bool takeBlockInto(const ByteBuffer& in, size_t& at, Block& block)
{
    if (at > in.size() || in.size() - at < lengthBytes) return false;
    const uint64_t size = lengthAt(in.data() + at);
    if (in.size() - at - lengthBytes < size) return false;
    const auto begin = in.begin() + static_cast<std::ptrdiff_t>(at + lengthBytes);
    block.assign(begin, begin + static_cast<std::ptrdiff_t>(size));
    at += lengthBytes + static_cast<size_t>(size);
    return true;
}

} // namespace

bool sendMessage(int socket, const ByteBuffer& message, const WaitReady& wait)
{
    uint8_t length[lengthBytes];
    putLength(length, message.size());
    return sendAll(socket, length, lengthBytes, wait) && sendAll(socket, message.data(), message.size(), wait);
}

std::optional<ByteBuffer> receiveMessage(int socket, const WaitReady& wait)
{
    uint8_t length[lengthBytes];
    if (!receiveAll(socket, length, lengthBytes, wait)) return std::nullopt;
    const uint64_t size = lengthAt(length);
    if (size > longestMessage) return std::nullopt;
    ByteBuffer message(static_cast<size_t>(size));
    if (!receiveAll(socket, message.data(), message.size(), wait)) return std::nullopt;
    return message;
}

bool waitForever(int socket, short events)
{
    pollfd ready{socket, events, 0};
    for (;;) {
        if (poll(&ready, 1, -1) > 0) return true;
        if (errno != EINTR) return false;
    }
}

void appendBlock(ByteBuffer& out, const void* data, size_t size)
{
    const size_t at = out.size();
    out.resize(at + lengthBytes);
    putLength(out.data() + at, size);
    out.insert(out.end(), static_cast<const uint8_t*>(data), static_cast<const uint8_t*>(data) + size);
}

bool takeBlock(const ByteBuffer& in, size_t& at, ByteBuffer& block) { return takeBlockInto(in, at, block); }
bool takeBlock(const ByteBuffer& in, size_t& at, std::string& block) { return takeBlockInto(in, at, block); }

bool takeLastBlock(ByteBuffer& message, size_t at, ByteBuffer& block)
{
    if (at > message.size() || message.size() - at < lengthBytes ||
        lengthAt(message.data() + at) != message.size() - at - lengthBytes)
        return false;
    message.erase(message.begin(), message.begin() + static_cast<std::ptrdiff_t>(at + lengthBytes));
    block = std::move(message);
    return true;
}
