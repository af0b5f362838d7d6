// A line holder kept in memory, standing for the window's list box.
#pragma once

#include <string>
#include <vector>

#include "Errors.h"
#include "LineHolder.h"

class VectorLineHolder : public LineHolder {
public:
    explicit VectorLineHolder(std::size_t room = 1000) : room_(room) {}
    int Count() const override { return static_cast<int>(lines.size()); }
    void Replace(int index, const std::string& text) override { lines.at(index) = text; }
    void Append(const std::string& text) override {
        if (lines.size() >= room_) throw EOutOfResources();
        lines.push_back(text);
    }
    std::vector<std::string> lines;

private:
    std::size_t room_;
};
