#pragma once

#include <cstddef>
#include <istream>
#include <ostream>
#include <streambuf>
#include <string>

namespace timbra::cli {

// Stream buffers straight over the standard input and output descriptors. Unlike std::cin and
// std::cout they keep the reason of a failed read or write (a full disk, standard input closed or a
// folder), and a failed read sets the stream's badbit instead of looking like the end of the input.
class FdInputBuffer : public std::streambuf {
public:
    explicit FdInputBuffer(int fd) : fd_(fd) {}
    int error() const { return error_; } // errno of the failed read, 0 if none

protected:
    int_type underflow() override;

private:
    int fd_;
    int error_ = 0;
    char buffer_[65536];
};

class FdOutputBuffer : public std::streambuf {
public:
    explicit FdOutputBuffer(int fd) : fd_(fd) { setp(buffer_, buffer_ + sizeof buffer_); }
    int error() const { return error_; } // errno of the first failed write, 0 if none

protected:
    int_type overflow(int_type ch) override;
    int sync() override;

private:
    bool drain();
    int fd_;
    int error_ = 0;
    char buffer_[65536];
};

// Why a stream failed: the reason its Fd buffer saw, or a general one; empty when it did not fail.
std::string streamError(const std::ios& stream);

// Reads the whole input, at most `limit` bytes plus one so that a larger input is seen as one.
std::string readAtMost(std::istream& in, std::size_t limit);

} // namespace timbra::cli
