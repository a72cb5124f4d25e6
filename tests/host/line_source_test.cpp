// Lines of model files: plain and compressed files read alike, and every fault is refused.
#include <bzlib.h>
#include <gtest/gtest.h>
#include <zlib.h>

#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "platform/host/model/file_line_source.h"

namespace corvane::host {
namespace {

std::string tempPath(const std::string& name) {
    return testing::TempDir() + "lines_" + name;
}

std::string writeBytes(const std::string& name, const std::string& bytes) {
    const std::string path = tempPath(name);
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

std::string gzipped(const std::string& text) {
    z_stream z{};
    deflateInit2(&z, 6, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&z, text.size()), '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
    z.avail_in = static_cast<uInt>(text.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

std::string bzipped(const std::string& text) {
    std::string out(text.size() + text.size() / 100 + 600, '\0');
    unsigned size = static_cast<unsigned>(out.size());
    BZ2_bzBuffToBuffCompress(out.data(), &size, const_cast<char*>(text.data()),
                             static_cast<unsigned>(text.size()), 9, 0, 0);
    out.resize(size);
    return out;
}

struct Lines {
    std::vector<std::string> lines;
    std::optional<ReadError> error;
};

Lines readAll(LineSource& source) {
    Lines result;
    std::string_view line;
    while (source.next(line)) {
        EXPECT_EQ(source.lineNumber(), result.lines.size() + 1);
        result.lines.emplace_back(line);
    }
    if (source.error()) result.error = *source.error();
    return result;
}

Lines readFile(const std::string& path) {
    FileLineSource source(path);
    return readAll(source);
}

// Many lines of varied length, so that lines straddle the buffer's refills.
std::string sampleText() {
    std::string text;
    for (int i = 0; i < 40000; ++i)
        text += " X" + std::to_string(i) + std::string(i % 97, 'a') + (i % 3 ? "\n" : "\r\n");
    return text + "last line without an end";
}

TEST(FileLineSource, PlainGzipAndBzip2FilesGiveTheSameLines) {
    const std::string text = sampleText();
    const Lines plain = readFile(writeBytes("plain.mps", text));
    ASSERT_FALSE(plain.error);
    ASSERT_EQ(plain.lines.size(), 40001u);
    EXPECT_EQ(plain.lines[1], " X1" + std::string(1, 'a'));
    EXPECT_EQ(plain.lines[3], " X3aaa");  // its '\r' dropped
    EXPECT_EQ(plain.lines.back(), "last line without an end");

    MemoryLineSource memory(text);
    EXPECT_EQ(readAll(memory).lines, plain.lines);
    for (const auto& [name, bytes] :
         {std::pair{"model.gz", gzipped(text)}, std::pair{"model.bz2", bzipped(text)},
          std::pair{"two-members.gz", gzipped(text.substr(0, 1000)) + gzipped(text.substr(1000))},
          std::pair{"two-streams.bz2", bzipped(text.substr(0, 5)) + bzipped(text.substr(5))}}) {
        const Lines lines = readFile(writeBytes(name, bytes));
        EXPECT_FALSE(lines.error) << name << ": " << lines.error->message;
        EXPECT_EQ(lines.lines, plain.lines) << name;
    }
}

TEST(FileLineSource, EmptyFilesAndBlankLines) {
    EXPECT_TRUE(readFile(writeBytes("empty", "")).lines.empty());
    EXPECT_TRUE(readFile(writeBytes("empty.gz", gzipped(""))).lines.empty());
    EXPECT_EQ(readFile(writeBytes("blank", "\n\nx\n")).lines,
              (std::vector<std::string>{"", "", "x"}));
}

void expectError(const Lines& lines, size_t line, const std::string& message) {
    ASSERT_TRUE(lines.error);
    EXPECT_EQ(lines.error->line, line);
    EXPECT_EQ(lines.error->message, message);
}

TEST(FileLineSource, RefusesFilesItCannotOpen) {
    expectError(readFile(tempPath("no-such-file")), 0,
                "cannot open the file: No such file or directory");
    expectError(readFile(testing::TempDir()), 0, "cannot open the file: it is not a regular file");
}

TEST(FileLineSource, RefusesOverlongLinesWithTheirNumber) {
    const std::string text = "one\ntwo\n" + std::string(kMaxLineLength + 1, 'x') + "\nfour\n";
    for (const std::string& bytes : {text, gzipped(text)}) {
        const Lines lines = readFile(writeBytes("long", bytes));
        EXPECT_EQ(lines.lines, (std::vector<std::string>{"one", "two"}));
        expectError(lines, 3, "line longer than 1048576 characters");
    }
    const Lines unended = readFile(writeBytes("long-last", std::string(kMaxLineLength + 1, 'x')));
    expectError(unended, 1, "line longer than 1048576 characters");
    MemoryLineSource memory(text);
    expectError(readAll(memory), 3, "line longer than 1048576 characters");
    // The longest line allowed is read whole.
    const Lines longest = readFile(writeBytes("longest", std::string(kMaxLineLength, 'y')));
    ASSERT_FALSE(longest.error);
    EXPECT_EQ(longest.lines.at(0).size(), kMaxLineLength);
}

TEST(FileLineSource, RefusesCorruptAndTruncatedStreams) {
    const std::string text = sampleText();
    std::string gzip = gzipped(text);
    expectError(readFile(writeBytes("cut.gz", gzip.substr(0, gzip.size() / 2))), 0,
                "the gzip stream is truncated");
    gzip[gzip.size() / 2] ^= 0x55;
    gzip[gzip.size() / 2 + 1] ^= 0x55;
    expectError(readFile(writeBytes("bad.gz", gzip)), 0, "the gzip stream is corrupt");
    expectError(readFile(writeBytes("header.gz", "\x1f\x8b garbage")), 0,
                "the gzip stream is corrupt");

    std::string bzip2 = bzipped(text);
    expectError(readFile(writeBytes("cut.bz2", bzip2.substr(0, bzip2.size() / 2))), 0,
                "the bzip2 stream is truncated");
    bzip2[bzip2.size() / 2] ^= 0x55;
    expectError(readFile(writeBytes("bad.bz2", bzip2)), 0, "the bzip2 stream is corrupt");
    expectError(readFile(writeBytes("header.bz2", "BZh9 garbage")), 0,
                "the bzip2 stream is corrupt");
}

}  // namespace
}  // namespace corvane::host
