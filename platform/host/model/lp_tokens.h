// The LP format's words and signs, one at a time, over the lines of a file. A section starts with
// its keyword at the beginning of a line; everything else flows across lines, and a backslash
// comments out the rest of its line.
#ifndef CORVANE_PLATFORM_HOST_MODEL_LP_TOKENS_H
#define CORVANE_PLATFORM_HOST_MODEL_LP_TOKENS_H

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/host/model/line_source.h"

namespace corvane::host {

enum class LpToken : unsigned char {
    EndOfFile,
    Section,
    Name,
    Number,
    Plus,
    Minus,
    Colon,
    LessEqual,     // <= (also =< and <)
    GreaterEqual,  // >= (also => and >)
    Equal,
    Open,   // [
    Close,  // ]
    Caret,
    Star,
    Slash,
};

enum class LpSection : unsigned char {
    Minimize,
    Maximize,
    SubjectTo,
    Bounds,
    General,
    Binary,
    SemiContinuous,
    Sos,
    End,
    Unsupported,  // a section of the format that this reader does not take
};

struct Token {
    LpToken kind = LpToken::EndOfFile;
    LpSection section = LpSection::End;
    std::string_view text;  // as written; valid until the token after next is read
    double number = 0.0;
    size_t line = 0;
    bool lineStart = false;  // the first token of its line
    // The number of words of its line when that line holds nothing but words of letters (a
    // heading, then), otherwise 0.
    unsigned char headingWords = 0;
};

class LpTokens {
  public:
    explicit LpTokens(LineSource& lines) : lines_(lines) {}

    const Token& current() const { return current_; }
    // Moves to the next token. False when the input fails (a line too long, a number that does
    // not parse, a name too long, a control character): error() then says why.
    bool advance();
    // The token after the current one, read ahead. False as advance().
    bool peek(const Token*& next);
    const ReadError& error() const { return error_; }
    // The current line without its comment and surrounding blanks.
    std::string_view lineText() const;

  private:
    bool read(Token& token, bool keepCurrent);
    bool nextLine(Token& token, bool keepCurrent, bool& atEnd);
    bool readSection(Token& token);
    bool readNumber(Token& token);
    bool readName(Token& token);
    void readSign(Token& token);
    bool fail(std::string message);

    LineSource& lines_;
    std::string_view line_;
    size_t position_ = 0;
    size_t lineNumber_ = 0;
    bool atLineStart_ = false;
    unsigned char headingWords_ = 0;
    Token current_;
    Token next_;
    bool hasNext_ = false;
    std::string held_;  // the current token's text once its line is gone
    ReadError error_;
};

}  // namespace corvane::host

#endif
