// A list of text lines kept by the window (the script lines' list box), seen by the logic
// only through this interface.
#pragma once

#include <string>

class LineHolder {
public:
    virtual ~LineHolder() = default;
    virtual int Count() const = 0;
    // Replaces an existing line; the selection, if any, stays where it was.
    virtual void Replace(int index, const std::string& text) = 0;
    // Appends a line; raises EOutOfResources when the holder has no room.
    virtual void Append(const std::string& text) = 0;
};
