#include "LayoutText.h"

#include <cctype>
#include <limits>

namespace layout {

namespace {

// Deeper nesting than this is no real form; refusing it keeps the recursion bounded.
constexpr int MaxDepth = 32;

class Parser {
public:
    explicit Parser(const std::string& text) : text_(text) {}

    Node ParseDocument() {
        SkipBlanks();
        Node node = ParseNode(0);
        SkipBlanks();
        if (!AtEnd()) Fail("text after the end of the form");
        return node;
    }

private:
    const std::string& text_;
    std::size_t pos_ = 0;
    int line_ = 1;

    [[noreturn]] void Fail(const std::string& message) { throw LayoutError(line_, message); }
    bool AtEnd() const { return pos_ >= text_.size(); }
    char Peek() const { return AtEnd() ? '\0' : text_[pos_]; }

    char Next() {
        char c = text_[pos_++];
        if (c == '\n') ++line_;
        return c;
    }

    // Skips spaces, tabs, line breaks and comments.
    void SkipBlanks() {
        while (!AtEnd()) {
            char c = Peek();
            if (c == '#') {
                while (!AtEnd() && Peek() != '\n') Next();
            } else if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
                Next();
            } else {
                return;
            }
        }
    }

    // Skips spaces and tabs only: a property's value stays on its line.
    void SkipSpaces() {
        while (Peek() == ' ' || Peek() == '\t') Next();
    }

    static bool IsNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

    std::string ParseName() {
        if (!std::isalpha(static_cast<unsigned char>(Peek())) && Peek() != '_') Fail("a name was expected");
        std::string name;
        while (IsNameChar(Peek())) name += Next();
        return name;
    }

    Node ParseNode(int depth) {
        int line = line_;
        std::string className = ParseName();
        SkipSpaces();
        return ParseBlock(className, line, depth);
    }

    // The rest of a component after its class name: its name and its { ... } body.
    Node ParseBlock(const std::string& className, int line, int depth) {
        if (depth > MaxDepth) Fail("components nested too deeply");
        Node node;
        node.line = line;
        node.className = className;
        node.name = ParseName();
        SkipSpaces();
        if (Peek() != '{') Fail("'{' was expected after " + node.name);
        Next();
        for (;;) {
            SkipBlanks();
            if (AtEnd()) Fail("'}' missing for " + node.name);
            if (Peek() == '}') {
                Next();
                return node;
            }
            int entryLine = line_;
            std::string first = ParseName();
            SkipSpaces();
            if (Peek() == ':') {
                Next();
                node.properties.push_back(Property{first, ParseItems(), entryLine});
            } else {
                node.children.push_back(ParseBlock(first, entryLine, depth + 1));
            }
        }
    }

    std::vector<Item> ParseItems() {
        std::vector<Item> items;
        for (;;) {
            SkipSpaces();
            items.push_back(ParseItem());
            SkipSpaces();
            if (Peek() != ',') break;
            Next();
        }
        SkipSpaces();
        if (!AtEnd() && Peek() != '\n' && Peek() != '\r' && Peek() != '#' && Peek() != '}')
            Fail("unexpected text after a value");
        return items;
    }

    Item ParseItem() {
        char c = Peek();
        if (c == '"') return Item{Item::Kind::String, ParseString()};
        if (c == '-' || std::isdigit(static_cast<unsigned char>(c))) return ParseNumber();
        if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') return Item{Item::Kind::Identifier, ParseName()};
        Fail("a value was expected");
    }

    std::string ParseString() {
        Next();  // the opening quote
        std::string value;
        for (;;) {
            if (AtEnd() || Peek() == '\n') Fail("unterminated string");
            char c = Next();
            if (c == '"') return value;
            if (c != '\\') {
                value += c;
                continue;
            }
            if (AtEnd()) Fail("unterminated string");
            switch (Next()) {
                case '"': value += '"'; break;
                case '\\': value += '\\'; break;
                case 'r': value += '\r'; break;
                case 'n': value += '\n'; break;
                case 't': value += '\t'; break;
                default: Fail("unknown escape in a string");
            }
        }
    }

    Item ParseNumber() {
        Item item{Item::Kind::Number, ""};
        if (Peek() == '-') item.text += Next();
        if (!std::isdigit(static_cast<unsigned char>(Peek()))) Fail("a digit was expected");
        long long value = 0;
        while (std::isdigit(static_cast<unsigned char>(Peek()))) {
            int digit = Next() - '0';
            if (value > (std::numeric_limits<int>::max() - digit) / 10) Fail("number out of range");
            value = value * 10 + digit;
            item.text += static_cast<char>('0' + digit);
        }
        item.number = item.text[0] == '-' ? -value : value;
        return item;
    }
};

}  // namespace

Node ParseLayout(const std::string& text) { return Parser(text).ParseDocument(); }

}  // namespace layout
