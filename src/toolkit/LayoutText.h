// The declarative text that describes a form: its components, their properties and the
// names of their event handlers. Reading it needs no window system, so it is tested and
// fuzzed natively.
//
//   TForm2 Form2 {
//     Caption: "Install Idiom"        strings are UTF-8 with \" \\ \r \n \t escapes
//     ClientSize: 264, 57             a value is one or more comma-separated items
//     BorderIcons: biSystemMenu       identifiers name handlers, enums and components
//     TButton Button1 { ... }         a nested block is a child component
//   }
//   # a comment runs to the end of its line
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace layout {

struct Item {
    enum class Kind { String, Number, Identifier };
    Kind kind;
    std::string text;  // the string's decoded bytes, or the identifier, or the number as written
    long long number = 0;
};

struct Property {
    std::string name;
    std::vector<Item> items;
    int line = 0;
};

struct Node {
    std::string className;
    std::string name;
    std::vector<Property> properties;
    std::vector<Node> children;
    int line = 0;
};

class LayoutError : public std::runtime_error {
public:
    LayoutError(int line, const std::string& message)
        : std::runtime_error("Layout line " + std::to_string(line) + ": " + message) {}
};

// Parses one top-level component block. Raises LayoutError on any malformed input.
Node ParseLayout(const std::string& text);

}  // namespace layout
