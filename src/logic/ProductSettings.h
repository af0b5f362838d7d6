// The four values of the product settings text that the installer uses.
#pragma once

#include <string>
#include <string_view>

struct ProductSettings {
    std::string SubFolder;       // line 1: the product folder made inside the chosen folder
    std::string AudioFileName;   // line 3: ends the audio path file's text
    std::string BitmapFileName;  // line 5: ends the bitmap path file's text
    std::string ProductName;     // line 7: the main window's caption before " Install"
};

// Takes lines 1, 3, 5 and 7 as they are: nothing trimmed, split or checked.
ProductSettings ExtractProductSettings(std::string_view settingsText);

// The main window's caption for these settings.
std::string InstallerCaption(const ProductSettings& settings);
