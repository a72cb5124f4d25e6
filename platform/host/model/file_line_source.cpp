#include "platform/host/model/file_line_source.h"

#include <bzlib.h>
#include <zlib.h>

#include <sys/stat.h>
#include <algorithm>
#include <cerrno>
#include <cstring>

namespace corvane::host {

namespace {

// Compressed bytes are read in pieces of this size; lines are assembled in a buffer that holds
// the longest line allowed and one more piece.
constexpr size_t kChunk = 1 << 16;

size_t readFile(std::FILE* file, char* out, size_t size, std::string& error) {
    const size_t count = std::fread(out, 1, size, file);
    if (count == 0 && std::ferror(file))
        error = std::string("cannot read: ") + std::strerror(errno);
    return count;
}

class PlainStream : public ByteStream {
  public:
    explicit PlainStream(std::FILE* file) : file_(file) {}
    size_t read(char* out, size_t size, std::string& error) override {
        return readFile(file_, out, size, error);
    }

  private:
    std::FILE* file_;
};

// A gzip file of one or more members, as gzip itself writes when files are concatenated.
class GzipStream : public ByteStream {
  public:
    explicit GzipStream(std::FILE* file) : file_(file), input_(kChunk) {
        ready_ = inflateInit2(&z_, 15 + 16) == Z_OK;
    }
    ~GzipStream() override {
        if (ready_) inflateEnd(&z_);
    }

    size_t read(char* out, size_t size, std::string& error) override {
        if (!ready_) {
            error = "cannot start the gzip decompressor";
            return 0;
        }
        z_.next_out = reinterpret_cast<Bytef*>(out);
        z_.avail_out = static_cast<uInt>(size);
        while (z_.avail_out == size) {
            if (z_.avail_in == 0 && !refill(error)) return 0;
            if (z_.avail_in == 0) {
                if (!memberDone_) error = "the gzip stream is truncated";
                return 0;
            }
            if (memberDone_) {
                // Another member follows the one that ended.
                inflateReset(&z_);
                memberDone_ = false;
            }
            const int status = inflate(&z_, Z_NO_FLUSH);
            if (status == Z_STREAM_END) {
                memberDone_ = true;
            } else if (status != Z_OK && status != Z_BUF_ERROR) {
                error = "the gzip stream is corrupt";
                return 0;
            }
        }
        return size - z_.avail_out;
    }

  private:
    bool refill(std::string& error) {
        const size_t count = readFile(file_, input_.data(), input_.size(), error);
        z_.next_in = reinterpret_cast<Bytef*>(input_.data());
        z_.avail_in = static_cast<uInt>(count);
        return error.empty();
    }

    std::FILE* file_;
    std::vector<char> input_;
    z_stream z_{};
    bool ready_ = false;
    bool memberDone_ = false;
};

// A bzip2 file of one or more streams.
class Bzip2Stream : public ByteStream {
  public:
    explicit Bzip2Stream(std::FILE* file) : file_(file), input_(kChunk) { start(); }
    ~Bzip2Stream() override {
        if (ready_) BZ2_bzDecompressEnd(&bz_);
    }

    size_t read(char* out, size_t size, std::string& error) override {
        bz_.next_out = out;
        bz_.avail_out = static_cast<unsigned>(size);
        while (bz_.avail_out == size) {
            if (bz_.avail_in == 0 && !refill(error)) return 0;
            if (bz_.avail_in == 0) {
                if (!streamDone_) error = "the bzip2 stream is truncated";
                return 0;
            }
            if (streamDone_) {
                // Another stream follows: start over with the input left.
                char* rest = bz_.next_in;
                const unsigned restSize = bz_.avail_in;
                BZ2_bzDecompressEnd(&bz_);
                ready_ = false;
                start();
                bz_.next_in = rest;
                bz_.avail_in = restSize;
                bz_.next_out = out;
                bz_.avail_out = static_cast<unsigned>(size);
                streamDone_ = false;
            }
            if (!ready_) {
                error = "cannot start the bzip2 decompressor";
                return 0;
            }
            const int status = BZ2_bzDecompress(&bz_);
            if (status == BZ_STREAM_END) {
                streamDone_ = true;
            } else if (status != BZ_OK) {
                error = "the bzip2 stream is corrupt";
                return 0;
            }
        }
        return size - bz_.avail_out;
    }

  private:
    void start() {
        bz_ = bz_stream{};
        ready_ = BZ2_bzDecompressInit(&bz_, 0, 0) == BZ_OK;
    }
    bool refill(std::string& error) {
        const size_t count = readFile(file_, input_.data(), input_.size(), error);
        bz_.next_in = input_.data();
        bz_.avail_in = static_cast<unsigned>(count);
        return error.empty();
    }

    std::FILE* file_;
    std::vector<char> input_;
    bz_stream bz_{};
    bool ready_ = false;
    bool streamDone_ = false;
};

}  // namespace

FileLineSource::FileLineSource(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        fail(0, std::string("cannot open the file: ") + std::strerror(errno));
        return;
    }
    if (!S_ISREG(status.st_mode)) {
        fail(0, "cannot open the file: it is not a regular file");
        return;
    }
    file_ = std::fopen(path.c_str(), "rb");
    if (!file_) {
        fail(0, std::string("cannot open the file: ") + std::strerror(errno));
        return;
    }
    unsigned char magic[3] = {0, 0, 0};
    const size_t count = std::fread(magic, 1, sizeof magic, file_);
    std::rewind(file_);
    if (count >= 2 && magic[0] == 0x1f && magic[1] == 0x8b) {
        stream_ = std::make_unique<GzipStream>(file_);
        compression_ = "gzip";
    } else if (count == 3 && magic[0] == 'B' && magic[1] == 'Z' && magic[2] == 'h') {
        stream_ = std::make_unique<Bzip2Stream>(file_);
        compression_ = "bzip2";
    } else {
        stream_ = std::make_unique<PlainStream>(file_);
        sizeHint_ = static_cast<size_t>(status.st_size);
    }
    bufferSize_ = kMaxLineLength + 1 + kChunk;
    buffer_.reset(new char[bufferSize_]);
}

FileLineSource::~FileLineSource() {
    stream_.reset();
    if (file_) std::fclose(file_);
}

bool FileLineSource::fail(size_t line, std::string message) {
    failed_ = true;
    error_ = {line, std::move(message)};
    return false;
}

// Moves the bytes not yet handed out to the front and reads more behind them. False at the end
// of the data or on a fault.
bool FileLineSource::fill() {
    if (atEnd_) return false;
    if (begin_ > 0) {
        std::memmove(buffer_.get(), buffer_.get() + begin_, end_ - begin_);
        end_ -= begin_;
        begin_ = 0;
    }
    // A piece at a time: the buffer's pages beyond the longest line met are never touched.
    std::string error;
    const size_t room = std::min(kChunk, bufferSize_ - end_);
    const size_t count = stream_->read(buffer_.get() + end_, room, error);
    if (!error.empty()) return fail(0, error);
    if (count == 0) atEnd_ = true;
    end_ += count;
    return count > 0;
}

bool FileLineSource::next(std::string_view& line) {
    if (failed_) return false;
    size_t searched = begin_;
    for (;;) {
        const char* data = buffer_.get();
        const void* newline = std::memchr(data + searched, '\n', end_ - searched);
        size_t length;
        size_t consumed;
        if (newline) {
            length = static_cast<const char*>(newline) - (data + begin_);
            consumed = length + 1;
        } else if (end_ - begin_ > kMaxLineLength) {
            return fail(line_ + 1,
                        "line longer than " + std::to_string(kMaxLineLength) + " characters");
        } else {
            searched = end_;
            const size_t offset = searched - begin_;
            if (fill()) {
                searched = begin_ + offset;
                continue;
            }
            if (failed_) return false;
            if (end_ == begin_) return false;
            length = end_ - begin_;  // the last line has no line end
            consumed = length;
        }
        if (length > kMaxLineLength)
            return fail(line_ + 1,
                        "line longer than " + std::to_string(kMaxLineLength) + " characters");
        ++line_;
        line = std::string_view(data + begin_, length);
        begin_ += consumed;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        return true;
    }
}

}  // namespace corvane::host
