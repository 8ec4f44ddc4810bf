#include "cli/StandardStreams.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <unistd.h>

namespace timbra::cli {

FdInputBuffer::int_type FdInputBuffer::underflow() {
    for (;;) {
        const ssize_t n = ::read(fd_, buffer_, sizeof buffer_);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            error_ = errno;
            // The stream catches this and sets its badbit: a failed read is not the end of input.
            throw std::runtime_error("read failed");
        }
        if (n == 0) return traits_type::eof();
        setg(buffer_, buffer_, buffer_ + n);
        return traits_type::to_int_type(buffer_[0]);
    }
}

bool FdOutputBuffer::drain() {
    const char* data = pbase();
    std::size_t left = static_cast<std::size_t>(pptr() - pbase());
    while (left > 0 && error_ == 0) {
        const ssize_t n = ::write(fd_, data, left);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            error_ = n < 0 ? errno : EIO;
            break;
        }
        data += n;
        left -= static_cast<std::size_t>(n);
    }
    setp(buffer_, buffer_ + sizeof buffer_);
    return error_ == 0;
}

FdOutputBuffer::int_type FdOutputBuffer::overflow(int_type ch) {
    if (!drain()) return traits_type::eof();
    if (traits_type::eq_int_type(ch, traits_type::eof())) return traits_type::not_eof(ch);
    *pptr() = traits_type::to_char_type(ch);
    pbump(1);
    return ch;
}

int FdOutputBuffer::sync() {
    return drain() ? 0 : -1;
}

std::string streamError(const std::ios& stream) {
    if (!stream.bad()) return {};
    int error = 0;
    if (const auto* in = dynamic_cast<const FdInputBuffer*>(stream.rdbuf())) error = in->error();
    if (const auto* out = dynamic_cast<const FdOutputBuffer*>(stream.rdbuf())) error = out->error();
    return std::strerror(error != 0 ? error : EIO);
}

std::string readAtMost(std::istream& in, std::size_t limit) {
    std::string bytes;
    char chunk[65536];
    while (bytes.size() <= limit && in) {
        in.read(chunk, static_cast<std::streamsize>(std::min(sizeof chunk, limit + 1 - bytes.size())));
        bytes.append(chunk, static_cast<std::size_t>(in.gcount()));
    }
    return bytes;
}

} // namespace timbra::cli
