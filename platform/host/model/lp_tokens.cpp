#include "platform/host/model/lp_tokens.h"

#include <cstdio>

#include "platform/host/model/model_values.h"

namespace corvane::host {

namespace {

struct Keyword {
    const char* text;  // lower case; a blank stands for any run of blanks
    LpSection section;
};

constexpr Keyword kKeywords[] = {
    {"minimize", LpSection::Minimize},
    {"minimise", LpSection::Minimize},
    {"minimum", LpSection::Minimize},
    {"min", LpSection::Minimize},
    {"maximize", LpSection::Maximize},
    {"maximise", LpSection::Maximize},
    {"maximum", LpSection::Maximize},
    {"max", LpSection::Maximize},
    {"subject to", LpSection::SubjectTo},
    {"such that", LpSection::SubjectTo},
    {"st", LpSection::SubjectTo},
    {"s.t.", LpSection::SubjectTo},
    {"st.", LpSection::SubjectTo},
    {"bounds", LpSection::Bounds},
    {"bound", LpSection::Bounds},
    {"general", LpSection::General},
    {"generals", LpSection::General},
    {"gen", LpSection::General},
    {"integer", LpSection::General},
    {"integers", LpSection::General},
    {"binary", LpSection::Binary},
    {"binaries", LpSection::Binary},
    {"bin", LpSection::Binary},
    {"semi-continuous", LpSection::SemiContinuous},
    {"semicontinuous", LpSection::SemiContinuous},
    {"semis", LpSection::SemiContinuous},
    {"semi", LpSection::SemiContinuous},
    {"sos", LpSection::Sos},
    {"end", LpSection::End},
    {"semi-integer", LpSection::Unsupported},
    {"semi-integers", LpSection::Unsupported},
    {"lazy constraints", LpSection::Unsupported},
    {"user cuts", LpSection::Unsupported},
    {"general constraints", LpSection::Unsupported},
};

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\f' || c == '\v';
}

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Every printable character but the format's signs may be part of a name; bytes above 127 too,
// so that names in UTF-8 or Latin-1 pass.
struct NameChars {
    bool allowed[256] = {};
    constexpr NameChars() {
        for (int byte = 0x21; byte < 256; ++byte) allowed[byte] = byte != 0x7f;
        for (const char sign : {'+', '-', '*', '^', '<', '>', '=', ':', '[', ']', '\\'})
            allowed[static_cast<unsigned char>(sign)] = false;
    }
};
constexpr NameChars kNameChars;

bool isNameChar(char c) {
    return kNameChars.allowed[static_cast<unsigned char>(c)];
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

size_t skipBlanks(std::string_view line, size_t position) {
    while (position < line.size() && isBlank(line[position])) ++position;
    return position;
}

// The end of `keyword` when `line` spells it from `position` on and it stands alone there (a
// blank, a comment or the line's end follows), else 0.
size_t keywordEnd(std::string_view line, size_t position, const char* keyword) {
    for (const char* k = keyword; *k != '\0'; ++k) {
        if (*k == ' ') {
            if (position >= line.size() || !isBlank(line[position])) return 0;
            position = skipBlanks(line, position);
        } else {
            if (position >= line.size() || lower(line[position]) != *k) return 0;
            ++position;
        }
    }
    if (position < line.size() && !isBlank(line[position]) && line[position] != '\\') return 0;
    return position;
}

// The words of a line that holds nothing but words of letters and hyphens; 0 for any other line,
// and for "name free", which is a bound.
unsigned char headingWords(std::string_view line) {
    unsigned words = 0;
    size_t position = skipBlanks(line, 0);
    size_t secondWord = 0;
    while (position < line.size() && line[position] != '\\') {
        const size_t start = position;
        while (position < line.size() && (isLetter(line[position]) || line[position] == '-'))
            ++position;
        if (position == start) return 0;
        if (position < line.size() && !isBlank(line[position]) && line[position] != '\\') return 0;
        if (++words == 2) secondWord = start;
        position = skipBlanks(line, position);
    }
    if (words == 2 && keywordEnd(line, secondWord, "free") != 0) return 0;
    return static_cast<unsigned char>(words > 255 ? 255 : words);
}

}  // namespace

bool LpTokens::advance() {
    if (hasNext_) {
        current_ = next_;
        hasNext_ = false;
        return true;
    }
    return read(current_, false);
}

bool LpTokens::peek(const Token*& next) {
    if (!hasNext_) {
        if (!read(next_, true)) return false;
        hasNext_ = true;
    }
    next = &next_;
    return true;
}

std::string_view LpTokens::lineText() const {
    std::string_view text = line_.substr(0, line_.find('\\'));
    const size_t start = skipBlanks(text, 0);
    size_t end = text.size();
    while (end > start && isBlank(text[end - 1])) --end;
    return text.substr(start, end - start);
}

bool LpTokens::read(Token& token, bool keepCurrent) {
    for (;;) {
        position_ = skipBlanks(line_, position_);
        if (position_ < line_.size() && line_[position_] != '\\') break;
        bool atEnd = false;
        if (!nextLine(token, keepCurrent, atEnd)) return false;
        if (atEnd) return true;
        if (readSection(token)) return true;
    }
    token = Token();
    token.line = lineNumber_;
    token.lineStart = atLineStart_;
    token.headingWords = atLineStart_ ? headingWords_ : 0;
    atLineStart_ = false;
    const char c = line_[position_];
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7f) {
        char message[48];
        std::snprintf(message, sizeof message, "the control character 0x%02X is not allowed", byte);
        return fail(message);
    }
    const bool digitFollows = position_ + 1 < line_.size() && isDigit(line_[position_ + 1]);
    if (isDigit(c) || (c == '.' && digitFollows)) return readNumber(token);
    if (isNameChar(c) && c != '/') return readName(token);
    readSign(token);
    return true;
}

bool LpTokens::nextLine(Token& token, bool keepCurrent, bool& atEnd) {
    if (keepCurrent && current_.text.data() != held_.data()) {
        held_.assign(current_.text.data(), current_.text.size());
        current_.text = held_;
    }
    std::string_view line;
    if (!lines_.next(line)) {
        if (const ReadError* failure = lines_.error()) {
            error_ = *failure;
            return false;
        }
        line_ = {};
        position_ = 0;
        token = Token();
        token.line = lines_.lineNumber();
        atEnd = true;
        return true;
    }
    line_ = line;
    position_ = 0;
    lineNumber_ = lines_.lineNumber();
    // Editors on some systems open a file with the UTF-8 byte order mark.
    if (lineNumber_ == 1 && line_.substr(0, 3) == "\xEF\xBB\xBF") line_.remove_prefix(3);
    atLineStart_ = true;
    headingWords_ = headingWords(line_);
    return true;
}

bool LpTokens::readSection(Token& token) {
    const size_t start = skipBlanks(line_, 0);
    if (start >= line_.size() || !isLetter(line_[start])) return false;
    size_t end = 0;
    LpSection section = LpSection::End;
    for (const Keyword& keyword : kKeywords) {
        const size_t candidate = keywordEnd(line_, start, keyword.text);
        if (candidate > end) {
            end = candidate;
            section = keyword.section;
        }
    }
    if (end == 0) return false;
    token = Token();
    token.kind = LpToken::Section;
    token.section = section;
    token.text = line_.substr(start, end - start);
    token.line = lineNumber_;
    token.lineStart = true;
    position_ = end;
    atLineStart_ = false;
    return true;
}

// A number runs on as long as a name would, so that "3x" or "1.5.2" is refused whole rather
// than read as a number and something else; a sign belongs to it only after its exponent mark.
bool LpTokens::readNumber(Token& token) {
    size_t end = position_;
    while (end < line_.size()) {
        const char c = line_[end];
        const bool exponentSign =
            (c == '+' || c == '-') && (line_[end - 1] == 'e' || line_[end - 1] == 'E');
        if (!isNameChar(c) && !exponentSign) break;
        ++end;
    }
    token.kind = LpToken::Number;
    token.text = line_.substr(position_, end - position_);
    position_ = end;
    if (!parseNumber(token.text, token.number)) return fail(notANumberMessage(token.text));
    return true;
}

bool LpTokens::readName(Token& token) {
    size_t end = position_;
    while (end < line_.size() && isNameChar(line_[end])) ++end;
    token.kind = LpToken::Name;
    token.text = line_.substr(position_, end - position_);
    position_ = end;
    const std::string message = checkNameLength(token.text);
    return message.empty() || fail(message);
}

void LpTokens::readSign(Token& token) {
    const char c = line_[position_];
    const char after = position_ + 1 < line_.size() ? line_[position_ + 1] : '\0';
    size_t length = 1;
    switch (c) {
        case '+':
            token.kind = LpToken::Plus;
            break;
        case '-':
            token.kind = LpToken::Minus;
            break;
        case ':':
            token.kind = LpToken::Colon;
            break;
        case '[':
            token.kind = LpToken::Open;
            break;
        case ']':
            token.kind = LpToken::Close;
            break;
        case '^':
            token.kind = LpToken::Caret;
            break;
        case '*':
            token.kind = LpToken::Star;
            break;
        case '/':
            token.kind = LpToken::Slash;
            break;
        case '<':
            token.kind = LpToken::LessEqual;
            if (after == '=') length = 2;
            break;
        case '>':
            token.kind = LpToken::GreaterEqual;
            if (after == '=') length = 2;
            break;
        default:  // '='
            token.kind = after == '<'   ? LpToken::LessEqual
                         : after == '>' ? LpToken::GreaterEqual
                                        : LpToken::Equal;
            if (after == '<' || after == '>') length = 2;
            break;
    }
    token.text = line_.substr(position_, length);
    position_ += length;
}

bool LpTokens::fail(std::string message) {
    error_ = {lineNumber_, std::move(message)};
    return false;
}

}  // namespace corvane::host
