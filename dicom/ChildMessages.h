#pragma once
// How the program and a child process kept for its work talk over their socket: a
// message is its length in 8 bytes (little endian), then its bytes; the parts of a
// message are blocks written the same way.
#include "Samples.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

// Waits until the socket is ready for `events` (POLLIN or POLLOUT); false to give up.
using WaitReady = std::function<bool(int socket, short events)>;

// Both work on a socket that blocks or one that does not: they wait for it between
// partial sends and receives. False, or nothing, when the other end has gone, the
// socket fails or `wait` gives up.
bool sendMessage(int socket, const ByteBuffer& message, const WaitReady& wait);
std::optional<ByteBuffer> receiveMessage(int socket, const WaitReady& wait);

// Waits as long as it takes.
bool waitForever(int socket, short events);

void appendBlock(ByteBuffer& out, const void* data, size_t size);
// The next block into `block` (a ByteBuffer or a std::string); false, with `at` where
// it was, when the bytes left hold no whole block.
bool takeBlock(const ByteBuffer& in, size_t& at, ByteBuffer& block);
bool takeBlock(const ByteBuffer& in, size_t& at, std::string& block);
// The message's last block, in the message's own memory: a decoded slice is not copied
// once more. False, with `message` as it was, when the bytes left are not one block.
bool takeLastBlock(ByteBuffer& message, size_t at, ByteBuffer& block);
